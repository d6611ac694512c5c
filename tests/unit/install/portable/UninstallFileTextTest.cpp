#include "install/portable/UninstallFileText.h"

#include "archive/portable/Language.h"
#include "install/portable/InstallTexts.h"

#include <gtest/gtest.h>

namespace {

// A one-language table whose string n reads "s<n>".
void fillTable(Language& table)
{
    table.reset(1, 72);
    for (int n = 0; n < 72; ++n) {
        String text;
        text.Format("s%d", n);
        table.setText(n, 0, text);
    }
}

const char kStrings[] =
    "\r\n\r\n[Strings]\r\n"
    "~10\r\ns10\r\n~15\r\ns15\r\n~20\r\ns20\r\n~30\r\ns30\r\n~34\r\ns34\r\n~35\r\ns35\r\n"
    "~39\r\ns39\r\n~49\r\ns49\r\n~53\r\ns53\r\n~55\r\ns55\r\n~56\r\ns56\r\n~57\r\ns57\r\n"
    "~58\r\ns58\r\n~59\r\ns59\r\n~67\r\ns67\r\n~68\r\ns68\r\n~69\r\ns69\r\n~70\r\ns70\r\n"
    "~71\r\ns71\r\n";

} // namespace

TEST(UninstallFileText, ListThenStringsAndNoAssociationsSection)
{
    Language table;
    fillTable(table);
    InstallTexts texts;
    texts.addUninstallEntry("C:\\App\\a.exe", UninstallEntryKind::File);
    texts.addUninstallEntry("C:\\App", UninstallEntryKind::Directory);
    EXPECT_EQ(std::string(uninstallFileText(texts, table).CStr()),
              std::string("C:\\App\\a.exe\r\n~C:\\App\r\n") + kStrings);
}

TEST(UninstallFileText, AssociationsSectionOnlyWhenThereAreAssociations)
{
    Language table;
    fillTable(table);
    InstallTexts texts;
    texts.associations = ".hello~!~Hello.File~!~notepad\r\n";
    EXPECT_EQ(std::string(uninstallFileText(texts, table).CStr()),
              std::string(kStrings) + "\r\n\r\n[Associations]\r\n.hello~!~Hello.File~!~notepad\r\n");
}

TEST(UninstallFileText, StringsMissingFromTheTableAreEmptyLines)
{
    Language table;
    table.reset(1, 12);
    String text("Remove");
    table.setText(10, 0, text);
    InstallTexts texts;
    const String out = uninstallFileText(texts, table);
    EXPECT_EQ(0, out.Find("\r\n\r\n[Strings]\r\n~10\r\nRemove\r\n~15\r\n\r\n~20\r\n\r\n"));
    EXPECT_EQ(out.Length() - 7, out.Find("~71\r\n\r\n"));
}

TEST(UninstallFileText, FailureLineNamesThePathAndTheSystemText)
{
    EXPECT_STREQ("Could not write C:\\App\\Uninstall.DAT\r\nAccess is denied.\r\n",
                 uninstallFileFailure("Could not write", "C:\\App\\Uninstall.DAT", "Access is denied.").CStr());
}
