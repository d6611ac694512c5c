#include "platform/ProcessPaths.h"

#include "platform/Win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

TEST(ProcessPaths, ValuesOfThisProgram)
{
    initPlatformPaths();
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string path = module;
    const size_t slash = path.rfind('\\');

    EXPECT_EQ(path, str(selfPath()));
    EXPECT_EQ("wintests.exe", lower(str(selfName())));
    EXPECT_EQ(path.substr(0, slash), str(selfDir()));
    EXPECT_EQ(path[0] & ~0x20, selfDrive());

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows), str(windowsDir()));

    EXPECT_FALSE(comSpec().IsEmpty());
    const std::string temp = str(tempDir());
    ASSERT_FALSE(temp.empty());
    EXPECT_NE('\\', temp.back());
    EXPECT_EQ(GetFileAttributesA(temp.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(ProcessPaths, ComputedOnlyOnce)
{
    initPlatformPaths();
    const std::string before = str(comSpec());
    SetEnvironmentVariableA("COMSPEC", "C:\\other\\shell.exe");
    initPlatformPaths();
    EXPECT_EQ(before, str(comSpec()));
}
