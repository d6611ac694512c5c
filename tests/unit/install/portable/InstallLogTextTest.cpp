#include "install/portable/InstallLogText.h"

#include "archive/format/SettingsLayout.h"
#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

InstallLogFacts facts()
{
    InstallLogFacts f;
    f.productName = "Hello";
    f.installDir = "C:\\Program Files\\Hello";
    return f;
}

const char kHead[] = "\r\nInstallation log for: Hello\r\nInstall date: 5-Mar-2007 2:07:09p\r\n";
const char kTail[] = "Install location: C:\\Program Files\\Hello\r\nInstaller version: 11.2\r\n";

} // namespace

TEST(InstallLogText, HeadingLinesFollowTheFacts)
{
    FixedClock clock(2007, 3, 5, 14, 7, 9);
    struct Case {
        const char* version;
        bool uninstallSupport;
        bool reinstall;
        const char* expected; // between the date line and "\r\n" that ends the heading
    } cases[] = {
        {"", false, false, ""},
        {"  ", true, false, "Install type: New\r\n"},
        {"3.25b", true, true, "Install type: Reinstall\r\n"},
        {"1.0", false, true, ""},
    };
    for (const Case& c : cases) {
        InstallLogFacts f = facts();
        f.productVersion = c.version;
        f.uninstallSupport = c.uninstallSupport;
        f.reinstall = c.reinstall;
        std::string version = String(c.version).FindNotOf(" ") < 0 ? "" : std::string("Product version: ") + c.version + "\r\n";
        EXPECT_EQ(std::string(installLogText(f).CStr()), std::string(kHead) + c.expected + kTail + version + "\r\n")
            << c.version;
    }
}

TEST(InstallLogText, LogThenErrorsAfterTheHeading)
{
    FixedClock clock(2007, 3, 5, 14, 7, 9);
    InstallLogFacts f = facts();
    f.log = "Copied a.exe\r\n";
    f.errors = "Could not write b.dll\r\n";
    EXPECT_EQ(std::string(installLogText(f).CStr()),
              std::string(kHead) + kTail + "\r\nCopied a.exe\r\n\r\nCould not write b.dll\r\n");

    f.log = " \r\n"; // blank: left out with its line break
    EXPECT_EQ(std::string(installLogText(f).CStr()), std::string(kHead) + kTail + "\r\nCould not write b.dll\r\n");
}

TEST(InstallLogText, WrittenWithBitSixOrErrors)
{
    EXPECT_FALSE(installLogWanted(0, ""));
    EXPECT_TRUE(installLogWanted(productFlagMask(kFlagAlwaysWriteLog), ""));
    EXPECT_TRUE(installLogWanted(0, "Failed\r\n"));
    EXPECT_FALSE(installLogWanted(productFlagMask(kFlagVerboseLog), ""));
}
