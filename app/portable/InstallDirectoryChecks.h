#pragma once
// The checks of a chosen installation directory that need no more of the system than the
// existence of a drive: what the directory loop shows for a text, and the disk-space figure.

#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>

// Removes blanks (space, CR, LF, tab) from both ends of dir. False when nothing is left.
bool trimInstallDirectory(String& dir);

// Whether dir contains none of / " < > | * ? : ; once a pair of surrounding double quotes is
// removed and, when the first byte is a letter, the ':' in second place (a ':' there after
// any other byte is forbidden). The backslash is allowed. False for an empty text.
bool hasOnlyPathCharacters(const String& dir);

// What the loop knows about the system to judge a directory.
struct DirectoryCheckContext {
    bool refuseNetwork = false;      // UNC directories refused
    String programFilesDir;          // the Program Files folder
    // Whether the drive letter (upper case) has a root directory; null: every drive has.
    bool (*driveHasRoot)(char letter) = nullptr;
};

// The verdict on a trimmed, non-empty directory text, in this order:
//   kMsgInvalidDirectory (14)       forbidden character, or not absolute
//   kMsgNetworkDirectory (66)       begins with two backslashes and refuseNetwork
//   kMsgNoSuchDrive (16)            its drive letter has no root directory
//   kMsgRootDirectory (17)          three bytes or fewer
//   kMsgProgramFilesDirectory (18)  the Program Files folder itself, trailing backslashes and
//                                   letter case ignored
// 0 when none of them applies.
int checkInstallDirectory(const String& dir, const DirectoryCheckContext& context);

// Bytes the stored files take on a drive with clusters of cluster bytes: the 64-bit sum of
// each size rounded up to a whole cluster (no rounding when cluster is 1 or less). Negative
// sizes count as 0.
int64_t neededDiskSpace(const Vector<int32_t>& sizes, int64_t cluster);

// Whether the disk-space question is asked: needed is not below free.
bool diskSpaceShort(int64_t needed, int64_t freeBytes);
