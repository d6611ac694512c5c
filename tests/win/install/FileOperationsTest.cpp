#include "install/FileOperations.h"
#include "platform/FileAttributes.h"
#include "platform/SystemPaths.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"
#include "tests/win/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileOperations, MovePathOptions)
{
    ScratchFolder scratch;
    const String a = scratch.WriteFile("a.txt", "A").c_str();
    const String b = scratch.WriteFile("b.txt", "B").c_str();
    const String missing = (scratch / "none.txt").c_str();

    SetLastError(0);
    EXPECT_FALSE(MovePath(String(), b, 0));
    EXPECT_EQ(87u, GetLastError());
    EXPECT_FALSE(MovePath(missing, b, 0));
    EXPECT_TRUE(MovePath(a, a, 0));
    EXPECT_FALSE(MovePath(a, missing, kMoveReplaceOnly));
    EXPECT_FALSE(MovePath(a, b, kMoveNoReplace));
    EXPECT_EQ("B", ScratchFolder::ReadFile(b.CStr()));

    // Without kMoveNoReplace an existing target, even a read-only one, is replaced.
    ASSERT_TRUE(setReadOnly(b.CStr(), true));
    EXPECT_TRUE(MovePath(a, b, kMoveReplaceOnly));
    EXPECT_FALSE(ScratchFolder::Exists(a.CStr()));
    EXPECT_EQ("A", ScratchFolder::ReadFile(b.CStr()));

    const String deep = (scratch / "x\\y\\b.txt").c_str();
    EXPECT_FALSE(MovePath(b, deep, 0));
    EXPECT_TRUE(MovePath(b, deep, kMoveCreateDir));
    EXPECT_EQ("A", ScratchFolder::ReadFile(deep.CStr()));
}

TEST(FileOperations, DeleteFileOptions)
{
    ScratchFolder scratch;
    const String locked = scratch.WriteFile("ro.txt", "R").c_str();
    ASSERT_TRUE(setReadOnly(locked.CStr(), true));
    EXPECT_FALSE(DeleteFile(locked, kDeleteKeepReadOnly));
    EXPECT_TRUE(ScratchFolder::Exists(locked.CStr()));
    EXPECT_TRUE(DeleteFile(locked, 0));
    EXPECT_FALSE(ScratchFolder::Exists(locked.CStr()));

    // Scheduled only: the file stays until the restart.
    const String later = scratch.WriteFile("later.txt", "L").c_str();
    EXPECT_TRUE(DeleteFile(later, kDeleteAtRestartOnly));
    EXPECT_TRUE(ScratchFolder::Exists(later.CStr()));

    // A file held open without sharing cannot go now; with kDeleteScheduleOnFailure it is
    // registered for the restart instead.
    const String busy = scratch.WriteFile("busy.txt", "B").c_str();
    HANDLE h = CreateFileA(busy.CStr(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_FALSE(DeleteFile(busy, 0));
    EXPECT_TRUE(DeleteFile(busy, kDeleteScheduleOnFailure));
    CloseHandle(h);
    EXPECT_TRUE(ScratchFolder::Exists(busy.CStr()));
}

TEST(FileOperations, RestartMoveLeavesBothFilesForNow)
{
    ScratchFolder scratch;
    const String source = scratch.WriteFile("new.dll", "N").c_str();
    const String target = (scratch / "old.dll").c_str();
    EXPECT_TRUE(MovePath(source, target, kMoveAtRestart));
    EXPECT_TRUE(ScratchFolder::Exists(source.CStr()));
}

TEST(FileOperations, FileVersionText)
{
    ScratchFolder scratch;
    EXPECT_TRUE(fileVersionText(scratch.WriteFile("plain.dll", "MZ").c_str()).IsEmpty());
    EXPECT_TRUE(fileVersionText((scratch / "none.dll").c_str()).IsEmpty());
}
