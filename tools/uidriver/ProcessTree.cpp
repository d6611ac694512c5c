#include "tools/uidriver/ProcessTree.h"

#include <tlhelp32.h>

namespace {

// Creation time of the process, 0 when it cannot be read.
ULONGLONG creationTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!process || !GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

ProcessTree::ProcessTree(DWORD rootId, HANDLE root) {
    ids_[0] = rootId;
    handles_[0] = root;
    created_[0] = creationTime(root);
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
            int parent = IndexOf(entry.th32ParentProcessID);
            if (parent < 0 || Contains(entry.th32ProcessID)) continue;
            HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                                   FALSE, entry.th32ProcessID);
            ULONGLONG created = creationTime(h);
            if (!h || created < created_[parent]) {
                if (h) CloseHandle(h);
                continue;
            }
            ids_[count_] = entry.th32ProcessID;
            handles_[count_] = h;
            created_[count_] = created;
            ++count_;
            added = true;
        }
    }
    CloseHandle(snapshot);
}

int ProcessTree::IndexOf(DWORD pid) const {
    for (int i = 0; i < count_; ++i)
        if (ids_[i] == pid) return i;
    return -1;
}

bool ProcessTree::Contains(DWORD pid) const { return IndexOf(pid) >= 0; }

bool ProcessTree::AnyRunning() const {
    for (int i = 0; i < count_; ++i)
        if (handles_[i] && WaitForSingleObject(handles_[i], 0) == WAIT_TIMEOUT) return true;
    return false;
}

void ProcessTree::KillAll(UINT exitCode) const {
    for (int i = count_ - 1; i >= 0; --i)
        if (handles_[i]) TerminateProcess(handles_[i], exitCode);
}
