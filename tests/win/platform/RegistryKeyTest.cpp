#include "platform/RegistryKey.h"

#include "app/InstallerState.h"
#include "core/Variant.h"
#include "platform/SystemErrorText.h"
#include "tests/win/support/ScratchKey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

class RegistryKeyTest : public testing::Test {
protected:
    // Opens the scratch key (depth 1).
    void openScratch()
    {
        ASSERT_EQ(RegistryKey::openedExisting, key.open(HKEY_CURRENT_USER, scratch.Path().c_str()));
    }
    std::string rawType(const char* name, DWORD& type)
    {
        std::string bytes;
        type = 0xFFFF;
        if (!scratch.ReadRaw("", name, type, bytes))
            type = 0xFFFF;
        return bytes;
    }

    ScratchKey scratch;
    RegistryKey key;
};

TEST_F(RegistryKeyTest, OpenCreatesOnceThenOpensExisting)
{
    std::string path = scratch / "Fresh";
    EXPECT_EQ(RegistryKey::openFailed, key.open(HKEY_CURRENT_USER, path.c_str(), RegistryKey::openOnly));
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(0, key.depth());
    EXPECT_FALSE(scratch.KeyExists("Fresh"));

    EXPECT_EQ(RegistryKey::createdNew, key.open(HKEY_CURRENT_USER, path.c_str()));
    EXPECT_TRUE(key.isOpen());
    key.close();
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(RegistryKey::openedExisting, key.open(HKEY_CURRENT_USER, path.c_str()));
    key.close();
    EXPECT_EQ(RegistryKey::openedExisting, key.open(HKEY_CURRENT_USER, path.c_str(), RegistryKey::openOnly));
    EXPECT_EQ(RegistryKey::openedExisting, key.openSoftwareKey((scratch.SoftwarePath() + "\\Fresh").c_str(), true,
                                                               RegistryKey::openOnly));
    EXPECT_EQ(2, key.depth());
}

TEST_F(RegistryKeyTest, NestedOpensKeepTheirKeyTexts)
{
    const std::string base = "HKEY_CURRENT_USER\\" + scratch.Path();
    openScratch();
    EXPECT_EQ(base, str(key.keyText()));
    EXPECT_EQ(RegistryKey::createdNew, key.openSubkey("A"));
    EXPECT_EQ(base + "\\A", str(key.keyText()));
    EXPECT_EQ(RegistryKey::createdNew, key.openSubkey("B\\C"));
    EXPECT_EQ(base + "\\A\\B\\C", str(key.keyText()));
    EXPECT_EQ(3, key.depth());
    EXPECT_TRUE(scratch.KeyExists("A\\B\\C"));

    // A predefined root starts the text afresh, wherever the cursor stands.
    EXPECT_EQ(RegistryKey::openedExisting, key.open(HKEY_CURRENT_USER, "Software", RegistryKey::openOnly));
    EXPECT_EQ("HKEY_CURRENT_USER\\Software", str(key.keyText()));

    key.close();
    EXPECT_EQ(base + "\\A\\B\\C", str(key.keyText()));
    key.close();
    EXPECT_EQ(base + "\\A", str(key.keyText()));
    EXPECT_EQ(RegistryKey::openedExisting, key.openSubkey("B", RegistryKey::openOnly));
    key.close();
    key.close();
    EXPECT_EQ(base, str(key.keyText()));
    EXPECT_TRUE(key.isOpen());

    key.openSubkey("A");
    key.closeAll();
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(0, key.depth());
    EXPECT_EQ("", str(key.keyText()));
    key.close(); // harmless with nothing open
    EXPECT_EQ(RegistryKey::openFailed, key.openSubkey("A"));
}

TEST_F(RegistryKeyTest, WithoutAnOpenKeyEverythingFails)
{
    Variant value;
    Vector<String> list;
    EXPECT_FALSE(key.getValue("x", value));
    EXPECT_EQ("fallback", str(key.getString("x", "fallback")));
    EXPECT_FALSE(key.setString("x", "text"));
    EXPECT_FALSE(key.setInt("x", 0, RegistryKey::deleteIfEmpty));
    EXPECT_FALSE(key.valueExists("x"));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteValue("x"));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteSubkey("x"));
    EXPECT_EQ(-1, key.subkeyCount());
    EXPECT_TRUE(key.isEmpty());
    EXPECT_EQ(0, key.listSubkeys(&list));
}

TEST_F(RegistryKeyTest, TextValuesReadBackWhole)
{
    openScratch();
    EXPECT_EQ("default", str(key.getString("missing", "default")));

    // Lengths around the 32-byte first read, and a text with a NUL inside.
    const std::string texts[] = {"", "x", std::string(31, 'a'), std::string(32, 'b'),
                                 "0123456789012345678901234567890123456789", std::string(5000, 'c')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        ASSERT_TRUE(key.setString("Text", String(text.c_str())));
        DWORD type;
        EXPECT_EQ(text + '\0', rawType("Text", type));
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ(text, str(key.getString("Text", "default")));
    }
    EXPECT_TRUE(key.setString("Null", static_cast<const char*>(nullptr)));
    EXPECT_EQ("", str(key.getString("Null", "default")));

    // The key's default value has the empty name.
    EXPECT_TRUE(key.setString("", "unnamed"));
    EXPECT_EQ("unnamed", str(key.getString(nullptr, "")));
}

TEST_F(RegistryKeyTest, TextTypesFollowTheOptions)
{
    openScratch();
    struct Case {
        unsigned options;
        DWORD type;
    } cases[] = {
        {RegistryKey::noOptions, REG_SZ},
        {RegistryKey::expandString, REG_EXPAND_SZ},
        {RegistryKey::binaryValue, REG_BINARY},
        {RegistryKey::binaryValue | RegistryKey::expandString, REG_BINARY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        ASSERT_TRUE(key.setString("Typed", "%SystemRoot%\\x", c.options));
        DWORD type;
        EXPECT_EQ(std::string("%SystemRoot%\\x") + '\0', rawType("Typed", type));
        EXPECT_EQ(c.type, type);
    }
    // Expandable texts read like plain ones (not expanded, no NUL); binary values keep every byte.
    key.setString("Expand", "%TEMP%\\0123456789012345678901234567890", RegistryKey::expandString);
    EXPECT_EQ("%TEMP%\\0123456789012345678901234567890", str(key.getString("Expand", "")));
    key.setString("Binary", "ab", RegistryKey::binaryValue);
    EXPECT_EQ(std::string("ab\0", 3), str(key.getString("Binary", "")));
}

TEST_F(RegistryKeyTest, StoredValuesOfEveryType)
{
    // Values as other programs store them, read through getValue.
    const std::string longMulti = std::string(20, 'm') + '\0' + std::string(20, 'n') + '\0' + '\0';
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        bool read;
        std::string text;
    } cases[] = {
        {"NoNul", REG_SZ, "abc", true, "abc"},
        {"LongNoNul", REG_SZ, std::string(40, 'z'), true, std::string(40, 'z')},
        {"Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), true, std::string("a\0b\0\0", 5)},
        {"LongMulti", REG_MULTI_SZ, longMulti, true, longMulti},
        {"Binary", REG_BINARY, std::string("\x01\x00\xff", 3), true, std::string("\x01\x00\xff", 3)},
        {"LongBinary", REG_BINARY, std::string(64, '\0'), true, std::string(64, '\0')},
        {"Dword", REG_DWORD, std::string("\x2a\x00\x00\x00", 4), true, "42"},
        {"ShortDword", REG_DWORD, std::string("\x2a\x00", 2), false, ""},
        {"Qword", REG_QWORD, std::string(8, '\x01'), false, ""},
        {"None", REG_NONE, "abc", false, ""},
    };
    openScratch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(scratch.WriteRaw("", c.name, c.type, c.bytes));
        Variant value;
        value.SetText("before", kNoLimit);
        EXPECT_EQ(c.read, key.getValue(c.name, value));
        EXPECT_EQ(c.read ? c.text : "before", str(value.AsText()));
    }
}

TEST_F(RegistryKeyTest, NumbersAndFlags)
{
    openScratch();
    EXPECT_EQ(-7, key.getInt("missing", -7));
    EXPECT_TRUE(key.getBool("missing", true));

    ASSERT_TRUE(key.setInt("Number", 123456));
    DWORD type;
    EXPECT_EQ(std::string("\x40\xe2\x01\x00", 4), rawType("Number", type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(123456, key.getInt("Number", 0));
    EXPECT_EQ("123456", str(key.getString("Number", "")));

    ASSERT_TRUE(key.setInt("Negative", -1));
    EXPECT_EQ(-1, key.getInt("Negative", 0));
    EXPECT_EQ("4294967295", str(key.getString("Negative", "")));

    ASSERT_TRUE(key.setBool("On", true));
    ASSERT_TRUE(key.setBool("Off", false));
    EXPECT_TRUE(key.getBool("On", false));
    EXPECT_FALSE(key.getBool("Off", true));
    EXPECT_TRUE(key.valueExists("Off"));

    // Texts convert as Variants do.
    key.setString("Digits", "77");
    key.setString("No", "no");
    EXPECT_EQ(77, key.getInt("Digits", 0));
    EXPECT_FALSE(key.getBool("No", true));
}

TEST_F(RegistryKeyTest, ZeroAndEmptyWritesWithAndWithoutDeleteIfEmpty)
{
    openScratch();
    DWORD type;
    key.setInt("Count", 5);
    ASSERT_TRUE(key.setInt("Count", 0));
    EXPECT_EQ(std::string(4, '\0'), rawType("Count", type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_TRUE(key.setInt("Count", 0, RegistryKey::deleteIfEmpty));
    EXPECT_FALSE(key.valueExists("Count"));
    EXPECT_TRUE(key.setInt("Count", 0, RegistryKey::deleteIfEmpty)); // already gone: still true

    key.setString("Text", "x");
    EXPECT_TRUE(key.setString("Text", "", RegistryKey::deleteIfEmpty));
    EXPECT_FALSE(key.valueExists("Text"));
    EXPECT_FALSE(key.setString("Text", "", RegistryKey::deleteIfEmpty)); // nothing was deleted
    EXPECT_TRUE(key.setString("Text", ""));
    EXPECT_EQ(std::string(1, '\0'), rawType("Text", type));

    // Variants: empty always deletes; zero and "" only with deleteIfEmpty; integers are DWORDs.
    Variant empty, zero, text;
    zero.SetInt64(0);
    text.SetText("", kNoLimit);
    key.setInt("V", 1);
    EXPECT_TRUE(key.setValue("V", empty));
    EXPECT_FALSE(key.valueExists("V"));
    EXPECT_TRUE(key.setValue("V", zero));
    EXPECT_EQ(std::string(4, '\0'), rawType("V", type));
    EXPECT_TRUE(key.setValue("V", zero, RegistryKey::deleteIfEmpty));
    EXPECT_FALSE(key.valueExists("V"));
    EXPECT_TRUE(key.setValue("V", text));
    rawType("V", type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_TRUE(key.setValue("V", text, RegistryKey::deleteIfEmpty));
    EXPECT_FALSE(key.valueExists("V"));
    Variant flag;
    flag.SetFlag(true);
    EXPECT_TRUE(key.setValue("V", flag));
    EXPECT_EQ(std::string("\x01\x00\x00\x00", 4), rawType("V", type));

    EXPECT_EQ(RegistryKey::deleted, key.deleteValue("V"));
    EXPECT_EQ(RegistryKey::deleteFailed, key.deleteValue("V"));
}

TEST_F(RegistryKeyTest, ExchangeAndEnterPathWalkTheStore)
{
    openScratch();
    SettingsStore& store = key;
    EXPECT_TRUE(store.enterPath("Section\\Inner\\Value"));
    EXPECT_EQ(3, key.depth());
    EXPECT_TRUE(scratch.KeyExists("Section\\Inner"));
    EXPECT_FALSE(scratch.KeyExists("Section\\Inner\\Value"));
    EXPECT_FALSE(store.enterPath("\\Rooted\\Value")); // the registry has no root to go to

    Variant value;
    value.SetText("stored", kNoLimit);
    store.storing = true;
    EXPECT_TRUE(store.exchange("Value", value));
    Variant back;
    store.storing = false;
    EXPECT_TRUE(store.exchange("Value", back));
    EXPECT_EQ("stored", str(back.AsText()));
    EXPECT_FALSE(store.exchange("Missing", back));
}

TEST_F(RegistryKeyTest, EmptinessAndSubkeyListing)
{
    scratch.CreateKey("Tree\\First");
    scratch.CreateKey("Tree\\Second");
    scratch.CreateKey("Tree\\Third");
    scratch.CreateKey("Bare");
    scratch.WriteRaw("Valued", "v", REG_SZ, std::string(1, '\0'));
    openScratch();

    EXPECT_FALSE(key.isEmpty());
    EXPECT_EQ(3, key.subkeyCount());
    EXPECT_TRUE(key.isEmptyKey("Bare"));
    EXPECT_FALSE(key.isEmptyKey("Valued"));
    EXPECT_FALSE(key.isEmptyKey("Tree"));
    EXPECT_TRUE(key.isEmptyKey("Missing"));
    EXPECT_EQ(1, key.depth()); // isEmptyKey closes what it opened

    ASSERT_EQ(RegistryKey::openedExisting, key.openSubkey("Tree"));
    EXPECT_TRUE(key.hasSubkeys());
    Vector<String> names;
    names.Append(String("kept"));
    SetLastError(5);
    EXPECT_EQ(3, key.listSubkeys(&names));
    EXPECT_EQ(0u, GetLastError());
    ASSERT_EQ(4, names.Count());
    EXPECT_EQ("kept", str(names[0]));
    EXPECT_EQ("First", str(names[1]));
    EXPECT_EQ("Second", str(names[2]));
    EXPECT_EQ("Third", str(names[3]));
    EXPECT_EQ(0, key.listSubkeys(nullptr));

    ASSERT_EQ(RegistryKey::openedExisting, key.openSubkey("First"));
    EXPECT_TRUE(key.isEmpty());
    EXPECT_FALSE(key.hasSubkeys());
    EXPECT_EQ(0, key.listSubkeys(&names));
}

TEST_F(RegistryKeyTest, DeleteSubkeyOnlyIfEmpty)
{
    scratch.WriteRaw("OneValue", "v", REG_DWORD, std::string(4, '\0'));
    scratch.CreateKey("OneChild\\Child");
    scratch.CreateKey("Empty");
    openScratch();

    EXPECT_EQ(RegistryKey::notEmpty, key.deleteSubkey("OneValue", RegistryKey::onlyIfEmpty));
    EXPECT_TRUE(scratch.KeyExists("OneValue"));
    EXPECT_TRUE(key.openSubkey("OneValue", RegistryKey::openOnly) && key.valueExists("v"));
    key.close();
    EXPECT_EQ(RegistryKey::notEmpty, key.deleteSubkey("OneChild", RegistryKey::onlyIfEmpty));
    EXPECT_TRUE(scratch.KeyExists("OneChild\\Child"));
    EXPECT_EQ(RegistryKey::deleted, key.deleteSubkey("Empty", RegistryKey::onlyIfEmpty));
    EXPECT_FALSE(scratch.KeyExists("Empty"));

    EXPECT_EQ(RegistryKey::deleteFailed, key.deleteSubkey("Missing"));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteSubkey(""));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteSubkey(nullptr));
    EXPECT_TRUE(scratch.KeyExists(""));
    EXPECT_EQ(1, key.depth());
}

TEST_F(RegistryKeyTest, DeleteSubkeyRemovesTheWholeTree)
{
    // Deep, wide, with values, and a child whose name is close to the longest allowed.
    const std::string longName(250, 'L');
    scratch.CreateKey("Tree\\A\\B\\C\\D");
    scratch.CreateKey("Tree\\A\\E");
    scratch.CreateKey("Tree\\" + longName + "\\Below");
    scratch.WriteRaw("Tree\\A\\B", "v", REG_SZ, std::string("x\0", 2));
    scratch.WriteRaw("Tree", "w", REG_SZ, std::string("y\0", 2));
    scratch.CreateKey("Sibling\\Kept");
    openScratch();

    EXPECT_EQ(RegistryKey::deleted, key.deleteSubkey("Tree"));
    EXPECT_FALSE(scratch.KeyExists("Tree"));
    EXPECT_TRUE(scratch.KeyExists("Sibling\\Kept"));
    EXPECT_EQ(1, key.depth());
    EXPECT_EQ("HKEY_CURRENT_USER\\" + scratch.Path(), str(key.keyText()));

    // A path below the current key.
    scratch.CreateKey("Sibling\\Kept\\Deeper");
    EXPECT_EQ(RegistryKey::deleted, key.deleteSubkey("Sibling\\Kept"));
    EXPECT_FALSE(scratch.KeyExists("Sibling\\Kept"));
    EXPECT_TRUE(scratch.KeyExists("Sibling"));
}

TEST_F(RegistryKeyTest, DeleteKeyPaths)
{
    scratch.CreateKey("Parent\\Child\\Grandchild");
    scratch.CreateKey("Parent\\Other");
    EXPECT_EQ(RegistryKey::deleted, key.deleteKeyPath(HKEY_CURRENT_USER, (scratch / "Parent\\Child").c_str()));
    EXPECT_FALSE(scratch.KeyExists("Parent\\Child"));
    EXPECT_TRUE(scratch.KeyExists("Parent\\Other"));
    EXPECT_FALSE(key.isOpen());

    EXPECT_EQ(RegistryKey::nothingToDelete,
              key.deleteKeyPath(HKEY_CURRENT_USER, (scratch / "Missing\\Child").c_str()));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteKeyPath(HKEY_CURRENT_USER, (scratch / "Parent\\").c_str()));
    EXPECT_TRUE(scratch.KeyExists("Parent"));
    EXPECT_EQ(RegistryKey::deleteFailed, key.deleteKeyPath(HKEY_CURRENT_USER, (scratch / "Parent\\Missing").c_str()));

    // Relative to an open key, a path without a backslash names a subkey of it.
    openScratch();
    RegistryKey inner;
    EXPECT_EQ(RegistryKey::deleted, inner.deleteKeyPath(key.handle(), "Parent"));
    EXPECT_FALSE(scratch.KeyExists("Parent"));
    key.close();

    scratch.CreateKey("Soft\\Name\\Below");
    scratch.CreateKey("Soft\\Path\\Below");
    scratch.CreateKey("Soft\\Full");
    std::string soft = scratch.SoftwarePath() + "\\Soft";
    EXPECT_EQ(RegistryKey::notEmpty, key.deleteSoftwareKey(soft.c_str(), "Name", true, RegistryKey::onlyIfEmpty));
    EXPECT_EQ(RegistryKey::deleted, key.deleteSoftwareKey(soft.c_str(), "Name", true));
    EXPECT_EQ(RegistryKey::nothingToDelete, key.deleteSoftwareKey(soft.c_str(), "", true));
    EXPECT_EQ(RegistryKey::deleted, key.deleteSoftwareKeyPath((soft + "\\Path").c_str(), true));
    EXPECT_FALSE(scratch.KeyExists("Soft\\Name"));
    EXPECT_FALSE(scratch.KeyExists("Soft\\Path"));
    EXPECT_TRUE(scratch.KeyExists("Soft\\Full"));
    EXPECT_FALSE(key.isOpen());
}

TEST(RegistryKeyClasses, DeleteKeyPathRemovesAClassKeyWithItsSubkeys)
{
    char clsid[64];
    std::snprintf(clsid, sizeof clsid, "CLSID\\{quiv-test-%lu-%lu}", GetCurrentProcessId(), GetTickCount());
    RegistryKey key;
    ASSERT_EQ(RegistryKey::createdNew, key.open(HKEY_CLASSES_ROOT, (std::string(clsid) + "\\InprocServer32").c_str()));
    EXPECT_EQ("HKEY_CLASSES_ROOT\\" + std::string(clsid) + "\\InprocServer32", str(key.keyText()));
    key.setString("", "server.dll");
    key.close();
    ASSERT_EQ(RegistryKey::openedExisting, key.open(HKEY_CLASSES_ROOT, clsid, RegistryKey::openOnly));
    key.openSubkey("ProgID");
    key.closeAll();

    EXPECT_EQ(RegistryKey::deleted, key.deleteKeyPath(HKEY_CLASSES_ROOT, clsid));
    EXPECT_EQ(RegistryKey::openFailed, key.open(HKEY_CLASSES_ROOT, clsid, RegistryKey::openOnly));
    EXPECT_EQ(RegistryKey::openedExisting, key.open(HKEY_CLASSES_ROOT, "CLSID", RegistryKey::openOnly));
}

TEST_F(RegistryKeyTest, KeyExistsBelowSoftware)
{
    scratch.CreateKey("Present");
    EXPECT_TRUE(keyExists((scratch.SoftwarePath() + "\\Present").c_str(), true));
    EXPECT_FALSE(keyExists((scratch.SoftwarePath() + "\\Absent").c_str(), true));
    EXPECT_FALSE(keyExists((scratch.SoftwarePath() + "\\Present").c_str(), false)); // other hive
    EXPECT_FALSE(keyExists("", true));
    EXPECT_FALSE(keyExists(nullptr, true));
    EXPECT_FALSE(scratch.KeyExists("Absent"));
}

TEST_F(RegistryKeyTest, ReadTextAtAValuePath)
{
    scratch.WriteRaw("Deep", "Name", REG_SZ, std::string("found\0", 6));
    scratch.WriteRaw("Deep", "", REG_SZ, std::string("unnamed\0", 8));
    std::string deep = scratch / "Deep";
    EXPECT_EQ("found", str(readTextAt(HKEY_CURRENT_USER, (deep + "\\Name").c_str(), "default")));
    EXPECT_EQ("", str(readTextAt(HKEY_CURRENT_USER, (deep + "\\Missing").c_str(), "default")));
    // An empty value name is not read (even though the key has a default value).
    EXPECT_EQ("default", str(readTextAt(HKEY_CURRENT_USER, (deep + "\\").c_str(), "default")));
    EXPECT_EQ("default", str(readTextAt(HKEY_CURRENT_USER, (scratch / "Gone\\Name").c_str(), "default",
                                        RegistryKey::openOnly)));
    EXPECT_FALSE(scratch.KeyExists("Gone"));
}

// Answers the first "Registry Error" box of this process from a second thread, keeping its text.
struct BoxAnswer {
    bool seen = false;
    std::string text;

    static DWORD WINAPI run(void* self)
    {
        BoxAnswer& answer = *static_cast<BoxAnswer*>(self);
        for (int i = 0; i < 200; ++i) {
            HWND box = FindWindowA("#32770", "Registry Error");
            if (box) {
                char text[512] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                answer.text = text;
                answer.seen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return 0;
            }
            Sleep(25);
        }
        return 1;
    }
};

TEST_F(RegistryKeyTest, FailuresSetTheLastErrorAndShowTheBoxWhenAsked)
{
    std::string missing = scratch / "Missing";
    SetLastError(0);
    EXPECT_EQ(RegistryKey::openFailed, key.open(HKEY_CURRENT_USER, missing.c_str(), RegistryKey::openOnly));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());

    BoxAnswer answer;
    HANDLE thread = CreateThread(nullptr, 0, BoxAnswer::run, &answer, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(RegistryKey::openFailed,
              key.open(HKEY_CURRENT_USER, missing.c_str(), RegistryKey::openOnly | RegistryKey::showErrors));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_TRUE(answer.seen);
    String expected = systemErrorText(ERROR_FILE_NOT_FOUND);
    expected.TrimRight();
    EXPECT_EQ(str(expected), answer.text.substr(0, expected.Length()));
    EXPECT_FALSE(key.isOpen());
}

TEST(RegistryErrorText, SystemTextsOfKnownCodes)
{
    EXPECT_EQ(0, systemErrorText(0).Length());
    String notFound = systemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_NE(-1, notFound.Find("file", 0, kFindIgnoreCase)) << notFound.CStr();
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(lastErrorText().Equals(notFound));
}

TEST(RegistryKeyDeathTest, MissingRequiredValueIsFatal)
{
    // An existing key, so that the child process creates nothing it would leave behind.
    installerState().applicationTitle = "Demo Setup";
    RegistryKey key;
    ASSERT_EQ(RegistryKey::openedExisting, key.open(HKEY_CURRENT_USER, "Software", RegistryKey::openOnly));
    Variant value;
    EXPECT_DEATH(key.getValue("quiv-no-such-value", value, RegistryKey::required),
                 "required by Demo Setup, but is invalid or does not exist");
    EXPECT_DEATH(key.getString("quiv-no-such-value", "", RegistryKey::required),
                 "HKEY_CURRENT_USER\\\\Software\\\\quiv-no-such-value");
    EXPECT_EQ("x", str(key.getString("quiv-no-such-value", "x")));
}

} // namespace
