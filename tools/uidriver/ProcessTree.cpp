#include "tools/uidriver/ProcessTree.h"

#include <tlhelp32.h>

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
                ids_[count_++] = entry.th32ProcessID;
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

void ProcessTree::KillAll(UINT exitCode) const {
    for (int i = count_ - 1; i >= 0; --i) {
        HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, ids_[i]);
        if (!p) continue;
        TerminateProcess(p, exitCode);
        CloseHandle(p);
    }
}
