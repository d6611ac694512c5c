#pragma once
// ProcessTree: the started program and the processes it started, found by parent process id.

#include "platform/Win32.h"

class ProcessTree {
public:
    static constexpr int kMaxProcesses = 64;

    explicit ProcessTree(DWORD root) { ids_[0] = root; }
    // Adds the processes whose parent is in the tree (and theirs). Processes already in the
    // tree stay, even once they have ended.
    void Refresh();
    bool Contains(DWORD pid) const;
    // Terminates every process of the tree that still runs, with the given exit code.
    void KillAll(UINT exitCode) const;

private:
    DWORD ids_[kMaxProcesses];
    int count_ = 1;
};
