#pragma once
// ProcessTree: the started program and the processes it started, found by parent process id.
// It holds a handle of each, so that their ids are not reused while it watches them.

#include "platform/Win32.h"

class ProcessTree {
public:
    static constexpr int kMaxProcesses = 64;

    // The tree takes the root's handle (closed with the tree).
    ProcessTree(DWORD rootId, HANDLE root);
    ~ProcessTree();
    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    // Adds the processes whose parent is in the tree (and theirs). Processes already in the
    // tree stay, even once they have ended.
    void Refresh();
    bool Contains(DWORD pid) const;
    // Some process of the tree still runs.
    bool AnyRunning() const;
    // Terminates every process of the tree that still runs, with the given exit code.
    void KillAll(UINT exitCode) const;

private:
    DWORD ids_[kMaxProcesses];
    HANDLE handles_[kMaxProcesses];
    int count_ = 1;
};
