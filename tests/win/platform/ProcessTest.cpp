#include "platform/Process.h"
#include "platform/Win32.h"
#include "platform/ProcessPaths.h"

#include <gtest/gtest.h>

TEST(Process, WaitsAndReturnsTheExitCode)
{
    EXPECT_EQ(7, runProcess("cmd.exe /c exit 7", kRunWait, ""));
    EXPECT_EQ(0, runProcess("cmd.exe /c exit 0", kRunWait | kRunHidden, ""));
    EXPECT_EQ(300, runProcess("cmd.exe /c exit 300", kRunWait | kRunPumpMessages | kRunMinimized, ""));
    EXPECT_EQ(5, runProcess("cmd.exe /c exit 5", kRunWait | kRunNewConsole | kRunIdlePriority, ""));
}

TEST(Process, StartsInTheGivenDirectory)
{
    initPlatformPaths();
    const String command("cmd.exe /c if exist system32\\kernel32.dll (exit 3) else (exit 4)");
    EXPECT_EQ(3, runProcess(command, kRunWait, windowsDir()));
    EXPECT_EQ(4, runProcess(command, kRunWait, "C:\\"));
}

TEST(Process, SpecialResults)
{
    EXPECT_EQ(kRunExitUnknown, runProcess("cmd.exe /c exit 7", kRunHidden, ""));
    EXPECT_EQ(kRunNotStarted, runProcess("quiv-no-such-program.exe", kRunWait, ""));
    EXPECT_EQ(kRunNotStarted, runProcess("", kRunWait, ""));
    EXPECT_EQ(kRunNotStarted, runProcess("cmd.exe /c exit 1", kRunWait, "C:\\quiv-no-such-directory"));
}

// Shows a box; run by the end-to-end tests, which answer it.
TEST(ProcessErrorBox, DISABLED_MissingProgram)
{
    EXPECT_EQ(kRunNotStarted, runProcess("quiv-no-such-program.exe /x", kRunErrorBox, ""));
}
