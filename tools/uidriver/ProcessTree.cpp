#include "tools/uidriver/ProcessTree.h"

#include <tlhelp32.h>

ProcessTree::ProcessTree(DWORD rootId, HANDLE root) {
    ids_[0] = rootId;
    handles_[0] = root;
}

ProcessTree::~ProcessTree() {
    for (int i = 0; i < count_; ++i)
        if (handles_[i]) CloseHandle(handles_[i]);
}

void ProcessTree::Refresh() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    bool added = true;
    while (added && count_ < kMaxProcesses) {
        added = false;
        PROCESSENTRY32 entry;
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more && count_ < kMaxProcesses;
             more = Process32Next(snapshot, &entry)) {
            if (Contains(entry.th32ParentProcessID) && !Contains(entry.th32ProcessID)) {
                ids_[count_] = entry.th32ProcessID;
                handles_[count_] = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
                ++count_;
                added = true;
            }
        }
    }
    CloseHandle(snapshot);
}

bool ProcessTree::Contains(DWORD pid) const {
    for (int i = 0; i < count_; ++i)
        if (ids_[i] == pid) return true;
    return false;
}

bool ProcessTree::AnyRunning() const {
    for (int i = 0; i < count_; ++i)
        if (handles_[i] && WaitForSingleObject(handles_[i], 0) == WAIT_TIMEOUT) return true;
    return false;
}

void ProcessTree::KillAll(UINT exitCode) const {
    for (int i = count_ - 1; i >= 0; --i)
        if (handles_[i]) TerminateProcess(handles_[i], exitCode);
}
