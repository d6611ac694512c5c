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
    // tree stay, even once they have ended. Process ids are reused quickly, so a process
    // counts as a child only when it was created after its parent: the system's long-lived
    // processes may name a parent id that a program of the tree now carries.
    void Refresh();
    bool Contains(DWORD pid) const;
    // Some process of the tree still runs.
    bool AnyRunning() const;
    // Terminates every process of the tree that still runs, with the given exit code.
    void KillAll(UINT exitCode) const;

private:
    DWORD ids_[kMaxProcesses];
    HANDLE handles_[kMaxProcesses];
    ULONGLONG created_[kMaxProcesses];
    // Index of pid in the tree, -1 when absent.
    int IndexOf(DWORD pid) const;
    int count_ = 1;
};
