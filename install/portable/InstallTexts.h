#pragma once
// InstallTexts: the growing texts of one installation run, from which Install.LOG and
// Uninstall.DAT are written at its end: the install log, the error text shown at the end, the
// uninstall list, the association list, and whether a restart is needed.

#include "core/Bucket.h"
#include "core/List.h"
#include "core/String.h"

// What an uninstall-list line names.
enum class UninstallEntryKind {
    File,       // the path itself
    Directory,  // "~" and the path
    Other,      // "!" and the path
};

class InstallTexts {
public:
    String log;           // lines ending in "\r\n"
    String errors;        // failure messages, shown at the end and written into Install.LOG
    String uninstallList; // one line per item to remove at uninstall, in the order entered
    String associations;  // one "%s~!~%s~!~%s\r\n" line per file association
    bool restartRequired = false;

    // Appends the path's line to the uninstall list. Drive roots (3 characters or less) are
    // never entered, and a directory only once (compared with a-z upper-cased). Returns true
    // when a line was added.
    bool addUninstallEntry(const String& path, UninstallEntryKind kind);

private:
    List<Bucket<bool, String>> directories_{64};
};
