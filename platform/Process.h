#pragma once
// Starting programs and documents.

#include "core/String.h"

// Options of runProcess.
enum : unsigned {
    kRunWait = 0x001,          // wait for the program to end and return its exit code
    kRunNewConsole = 0x002,    // give it a console of its own
    kRunIdlePriority = 0x004,  // idle priority class
    kRunHighPriority = 0x008,  // high priority class (before kRunIdlePriority)
    kRunHidden = 0x010,        // start its window hidden
    kRunMaximized = 0x020,     // start its window maximised (before kRunMinimized, kRunHidden)
    kRunMinimized = 0x040,     // start its window minimised (before kRunHidden)
    kRunErrorBox = 0x080,      // tell the user in a box when it cannot be started
    kRunPumpMessages = 0x100,  // while waiting, keep this program's windows alive
};

// The two results of runProcess that are no exit code.
constexpr int kRunNotStarted = static_cast<int>(0x80000000u);
constexpr int kRunExitUnknown = static_cast<int>(0x80000001u);

// Starts commandLine (program and arguments, as the command interpreter reads them) in
// directory (empty: the current directory). Returns kRunNotStarted for an empty command line
// or when the program cannot be started (with kRunErrorBox after "Unable to create process:"
// and the command line in an error box); kRunExitUnknown when it was started without kRunWait
// or its exit code cannot be read; otherwise the program's exit code.
int runProcess(const String& commandLine, unsigned options, const String& directory);

// Opens path with the program the shell associates with it, in the installer's directory.
// True when the shell accepted it.
bool openDocument(const String& path);
