#include "install/UninstallRegistry.h"

#include "tests/win/support/ScratchKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

UninstallEntryFacts facts()
{
    UninstallEntryFacts f;
    f.keyName = "Scratch Product";
    f.uninstallerPath = "C:\\Scratch\\Uninstall.exe";
    f.productName = "Scratch Product";
    f.installerPath = "C:\\setup.exe";
    f.displayVersion = "3.25b";
    f.publisher = "Quiv";
    f.productFlags = 4;
    f.displayTitle = "Scratch Setup";
    f.topColor = 0x804000;
    f.bottomColor = 0x200000;
    f.installLocation = "C:\\Scratch";
    f.installDate = "3/5/07 2:07:09p";
    return f;
}

class UninstallRegistryTest : public testing::Test {
protected:
    bool write(const UninstallEntryFacts& f)
    {
        return WriteUninstallRegistry(HKEY_CURRENT_USER, (scratch / "Product").c_str(), uninstallEntryValues(f),
                                      texts);
    }
    // The value's bytes; "<missing>" when it cannot be read. type receives its type.
    std::string raw(const char* name, DWORD& type)
    {
        std::string bytes;
        if (!scratch.ReadRaw("Product", name, type, bytes))
            return "<missing>";
        return bytes;
    }
    std::string text(const char* name, DWORD expectedType = REG_SZ)
    {
        DWORD type = 0;
        std::string bytes = raw(name, type);
        if (bytes == "<missing>")
            return bytes;
        EXPECT_EQ(type, expectedType) << name;
        return bytes.substr(0, bytes.find('\0'));
    }
    long number(const char* name)
    {
        DWORD type = 0;
        std::string bytes = raw(name, type);
        if (bytes == "<missing>")
            return -1;
        EXPECT_EQ(type, DWORD(REG_DWORD)) << name;
        DWORD n = 0;
        std::memcpy(&n, bytes.data(), bytes.size() < 4 ? bytes.size() : 4);
        return static_cast<long>(n);
    }

    ScratchKey scratch;
    InstallTexts texts;
};

} // namespace

TEST_F(UninstallRegistryTest, WritesTheEntryWithItsTypes)
{
    Array<UninstallData> records(3);
    records[0] = UninstallData{"HelpLink", 1, "https://example.invalid"};
    records[1] = UninstallData{"EstimatedSize", 4, "120"};
    records[2] = UninstallData{"Notes", 2, "%TEMP%\\notes"};
    UninstallEntryFacts f = facts();
    f.records = &records;
    EXPECT_TRUE(write(f));
    EXPECT_EQ(std::string(texts.errors.CStr()), "");
    EXPECT_EQ(text("UninstallString"), "C:\\Scratch\\Uninstall.exe /u:\"Scratch Product\"");
    EXPECT_EQ(text("QuietUninstallString"), "C:\\Scratch\\Uninstall.exe /a /u:\"Scratch Product\"");
    EXPECT_EQ(text("DisplayVersion"), "3.25b");
    EXPECT_EQ(number("VersionMajor"), 3);
    EXPECT_EQ(number("VersionMinor"), 25);
    EXPECT_EQ(text("ProductFlags"), "4");
    EXPECT_EQ(text("SharedPath"), "<missing>");
    EXPECT_EQ(number("ShortcutMode"), -1);
    EXPECT_EQ(number("BottomColor"), 0x200000);
    EXPECT_EQ(number("MonoColor"), 0);
    EXPECT_EQ(text("HelpLink"), "https://example.invalid");
    EXPECT_EQ(number("EstimatedSize"), 120);
    EXPECT_EQ(text("Notes", REG_EXPAND_SZ), "%TEMP%\\notes");
    EXPECT_EQ(text("InstallLocation"), "C:\\Scratch");
    EXPECT_EQ(text("InstallDate"), "3/5/07 2:07:09p");
}

TEST_F(UninstallRegistryTest, RewriteWithoutVersionAndSingleColourDeletesTheirValues)
{
    ASSERT_TRUE(write(facts()));
    UninstallEntryFacts f = facts();
    f.displayVersion = "";
    f.publisher = "";
    f.monoColor = true;
    EXPECT_TRUE(write(f));
    EXPECT_EQ(std::string(texts.errors.CStr()), "");
    for (const char* gone : {"DisplayVersion", "Publisher"})
        EXPECT_EQ(text(gone), "<missing>") << gone;
    for (const char* gone : {"VersionMajor", "VersionMinor", "BottomColor"})
        EXPECT_EQ(number(gone), -1) << gone;
    EXPECT_EQ(number("MonoColor"), 1);
    EXPECT_EQ(number("TopColor"), 0x804000);
}

TEST_F(UninstallRegistryTest, KeyThatCannotBeOpenedIsReported)
{
    EXPECT_FALSE(WriteUninstallRegistry(reinterpret_cast<HKEY>(0x1234), "Software\\x", uninstallEntryValues(facts()),
                                        texts));
    EXPECT_STREQ(texts.errors.CStr(), kUninstallRegistryError);
}
