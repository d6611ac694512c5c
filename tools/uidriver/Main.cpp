// uidriver: starts a program, reports every top-level window it shows as one JSON line on
// standard output, answers the windows by rules, and exits with the program's exit code.
//
//   uidriver [--rules FILE]... [--rule "RULE"]... [--shots DIR] [--strict] [--timeout SEC]
//            -- PROGRAM [ARGS...]
//
// The run ends when the program and every process it started have ended; the exit code is the
// program's. Exit codes of its own: 123 usage, 124 timeout, 125 strict failure (a window no rule expects,
// or an action that could not be carried out), 126 the program could not be started. The
// last line tells which: {"event":"exit","code":N}, "timeout", "fail" or "error".

#include "platform/Win32.h"
#include "tools/uidriver/Actions.h"
#include "tools/uidriver/Buffer.h"
#include "tools/uidriver/ProcessTree.h"
#include "tools/uidriver/Rules.h"
#include "tools/uidriver/Screenshot.h"
#include "tools/uidriver/WindowSnapshot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum : int { kExitUsage = 123, kExitTimeout = 124, kExitStrict = 125, kExitNoStart = 126 };

const DWORD kPollMs = 25;

struct Options {
    Rules rules;
    const char* shots = nullptr;
    bool strict = false;
    int timeoutSeconds = 60;
    int programArg = 0;  // index in argv of PROGRAM
};

// A window being watched: reported once its page has stayed the same for two polls, and
// reported again whenever it shows a different page.
struct Tracked {
    HWND hwnd;
    uint64_t lastSignature;
    uint64_t reportedSignature;
    bool reported;
    bool seen;
    int stablePolls;
};

const int kMaxTracked = 256;
Tracked tracked[kMaxTracked];
int trackedCount = 0;
int recordCount = 0;
WindowSnapshot snapshot;  // large: kept out of the stack

void emit(const Buffer& line) {
    fwrite(line.Text(), 1, line.Length(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

unsigned long long hwndNumber(HWND w) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w));
}

void emitEvent(const char* event, const char* reason, HWND window) {
    Buffer line;
    line.Format("{\"event\":\"%s\"", event);
    if (reason) {
        line.Append(",\"reason\":");
        line.AppendJsonString(reason);
    }
    if (window) line.Format(",\"hwnd\":\"0x%llx\"", hwndNumber(window));
    line.AppendByte('}');
    emit(line);
}

int usage(const char* problem) {
    if (problem) fprintf(stderr, "uidriver: %s\n", problem);
    fputs("usage: uidriver [--rules FILE]... [--rule \"RULE\"]... [--shots DIR] [--strict]\n"
          "                [--timeout SECONDS] -- PROGRAM [ARGS...]\n"
          "rule: [once] [caption \"TEXT\"] [text \"TEXT\"] [class \"NAME\"] -> ACTION...\n"
          "action: press \"TEXT\" | press #ID | type ID \"TEXT\" | select ID \"ITEM\" |\n"
          "        dblclick ID \"ITEM\" | close\n", stderr);
    return kExitUsage;
}

bool parseOptions(int argc, char** argv, Options& o, int& exitCode) {
    char error[700];
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        bool hasValue = i + 1 < argc;
        if (!strcmp(a, "--")) {
            if (i + 1 >= argc) return exitCode = usage("no program after --"), false;
            o.programArg = i + 1;
            return true;
        } else if (!strcmp(a, "--strict")) {
            o.strict = true;
        } else if (!strcmp(a, "--rule") && hasValue) {
            if (!o.rules.Add(argv[++i], error, sizeof error)) return exitCode = usage(error), false;
        } else if (!strcmp(a, "--rules") && hasValue) {
            if (!o.rules.AddFile(argv[++i], error, sizeof error)) return exitCode = usage(error), false;
        } else if (!strcmp(a, "--shots") && hasValue) {
            o.shots = argv[++i];
            CreateDirectoryA(o.shots, nullptr);
        } else if (!strcmp(a, "--timeout") && hasValue) {
            o.timeoutSeconds = atoi(argv[++i]);
            if (o.timeoutSeconds <= 0) return exitCode = usage("--timeout needs seconds > 0"), false;
        } else {
            snprintf(error, sizeof error, "unknown option %s", a);
            return exitCode = usage(error), false;
        }
    }
    exitCode = usage("no -- PROGRAM");
    return false;
}

// One argument quoted for a Windows command line (the rules of the C runtime's parser).
void appendArgument(Buffer& line, const char* arg) {
    if (*arg && !strpbrk(arg, " \t\"")) {
        line.Append(arg);
        return;
    }
    line.AppendByte('"');
    for (const char* p = arg;; ++p) {
        int slashes = 0;
        while (*p == '\\') ++p, ++slashes;
        if (!*p) {
            for (int k = 0; k < slashes * 2; ++k) line.AppendByte('\\');
            break;
        }
        if (*p == '"') slashes = slashes * 2 + 1;
        for (int k = 0; k < slashes; ++k) line.AppendByte('\\');
        line.AppendByte(*p);
    }
    line.AppendByte('"');
}

bool contains(const char* haystack, const char* needle) { return strstr(haystack, needle) != nullptr; }

bool matches(const Rule& r, const WindowSnapshot& w) {
    if (r.hasCaption && !contains(w.Caption(), r.caption)) return false;
    if (r.hasClass && strcmp(w.ClassName(), r.className)) return false;
    if (r.hasText) {
        bool found = false;
        for (int i = 0; i < w.ControlCount() && !found; ++i)
            found = contains(w.TextOf(w.ControlAt(i)), r.text);
        if (!found) return false;
    }
    return true;
}

Rule* findRule(Rules& rules, const WindowSnapshot& w) {
    for (int i = 0; i < rules.Count(); ++i) {
        Rule& r = rules.At(i);
        if (r.once && r.used) continue;
        if (matches(r, w)) return &r;
    }
    return nullptr;
}

void shotName(const WindowSnapshot& w, const char* folder, char* path, int size) {
    char name[64];
    int n = 0;
    for (const char* p = w.Caption(); *p && n < 40; ++p) {
        char c = *p;
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name[n++] = plain ? c : '_';
    }
    name[n] = 0;
    snprintf(path, size, "%s\\%02d-%s.png", folder, recordCount, name);
}

// Reports the window's page and answers it. False when strict mode ends the run.
bool report(HWND hwnd, const Options& o, Rules& rules) {
    if (!snapshot.Read(hwnd, true)) return true;
    ++recordCount;
    Rule* rule = findRule(rules, snapshot);
    Buffer line;
    line.Format("{\"event\":\"window\",\"seq\":%d,", recordCount);
    snapshot.AppendJson(line);
    if (o.shots) {
        char path[MAX_PATH];
        shotName(snapshot, o.shots, path, sizeof path);
        Sleep(100);  // let it finish painting
        if (SaveWindowPng(hwnd, path)) {
            line.Append(",\"shot\":");
            line.AppendJsonString(path);
        }
    }
    if (rule) {
        line.Append(",\"rule\":");
        line.AppendJsonString(rule->source);
    }
    line.AppendByte('}');
    emit(line);
    if (!rule) {
        if (!o.strict) return true;
        emitEvent("fail", "unexpected window", hwnd);
        return false;
    }
    rule->used = true;
    for (int i = 0; i < rule->actionCount; ++i) {
        const Action& a = rule->actions[i];
        char error[600];
        bool ok = PerformAction(snapshot, a, error, sizeof error);
        static const char* const names[] = {"press", "press", "type", "select", "dblclick", "close"};
        Buffer act;
        act.Format("{\"event\":\"action\",\"hwnd\":\"0x%llx\",\"do\":\"%s\",\"id\":%d,\"text\":",
                   hwndNumber(hwnd), names[static_cast<int>(a.kind)], a.id);
        act.AppendJsonString(a.text);
        act.Format(",\"ok\":%s", ok ? "true" : "false");
        if (!ok) {
            act.Append(",\"error\":");
            act.AppendJsonString(error);
        }
        act.AppendByte('}');
        emit(act);
        if (!ok && o.strict) {
            emitEvent("fail", error, hwnd);
            return false;
        }
    }
    return true;
}

ProcessTree* treeForEnum = nullptr;
HWND visible[kMaxTracked];
int visibleCount = 0;

BOOL CALLBACK collect(HWND hwnd, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (visibleCount < kMaxTracked && treeForEnum->Contains(pid) && IsWindowVisible(hwnd))
        visible[visibleCount++] = hwnd;
    return TRUE;
}

Tracked* track(HWND hwnd) {
    for (int i = 0; i < trackedCount; ++i)
        if (tracked[i].hwnd == hwnd) return &tracked[i];
    if (trackedCount >= kMaxTracked) return nullptr;
    Tracked& t = tracked[trackedCount++];
    memset(&t, 0, sizeof t);
    t.hwnd = hwnd;
    return &t;
}

// One look at the program's windows. False when strict mode ends the run.
bool poll(ProcessTree& tree, const Options& o, Rules& rules) {
    tree.Refresh();
    treeForEnum = &tree;
    visibleCount = 0;
    EnumWindows(collect, 0);
    for (int i = 0; i < trackedCount; ++i) tracked[i].seen = false;
    for (int i = 0; i < visibleCount; ++i) {
        Tracked* t = track(visible[i]);
        if (!t || !snapshot.Read(visible[i], false)) continue;
        t->seen = true;
        uint64_t s = snapshot.Signature();
        if (s != t->lastSignature) {
            t->lastSignature = s;
            t->stablePolls = 0;
            continue;
        }
        if (++t->stablePolls < 1 || (t->reported && t->reportedSignature == s)) continue;
        t->reported = true;
        t->reportedSignature = s;
        if (!report(visible[i], o, rules)) return false;
    }
    // Windows that were closed or hidden are forgotten; shown again, they are reported again.
    int kept = 0;
    for (int i = 0; i < trackedCount; ++i)
        if (tracked[i].seen) tracked[kept++] = tracked[i];
    trackedCount = kept;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    static Options o;
    int exitCode = 0;
    if (!parseOptions(argc, argv, o, exitCode)) return exitCode;

    Buffer commandLine;
    for (int i = o.programArg; i < argc; ++i) {
        if (i > o.programArg) commandLine.AppendByte(' ');
        appendArgument(commandLine, argv[i]);
    }
    // The program's own output goes to standard error: standard output carries the JSON lines.
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    char* line = _strdup(commandLine.Text());
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        char reason[300];
        snprintf(reason, sizeof reason, "cannot start %s (error %lu)", argv[o.programArg],
                 static_cast<unsigned long>(GetLastError()));
        emitEvent("error", reason, nullptr);
        return kExitNoStart;
    }
    free(line);
    CloseHandle(pi.hThread);

    // The program's exit code is the result, but the run lasts until the processes it
    // started have ended too (a program may hand its work to a copy of itself).
    ProcessTree tree(pi.dwProcessId, pi.hProcess);
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(o.timeoutSeconds) * 1000;
    bool mainRunning = true;
    DWORD code = 0;
    for (;;) {
        if (mainRunning && WaitForSingleObject(pi.hProcess, kPollMs) != WAIT_TIMEOUT) {
            mainRunning = false;
            GetExitCodeProcess(pi.hProcess, &code);
            tree.Refresh();
        }
        if (!mainRunning) {
            if (!tree.AnyRunning()) break;
            Sleep(kPollMs);
        }
        if (GetTickCount64() >= deadline) {
            char reason[64];
            snprintf(reason, sizeof reason, "no exit within %d s", o.timeoutSeconds);
            emitEvent("timeout", reason, nullptr);
            tree.KillAll(kExitTimeout);
            return kExitTimeout;
        }
        if (!poll(tree, o, o.rules)) {
            tree.KillAll(kExitStrict);
            return kExitStrict;
        }
    }
    Buffer last;
    last.Format("{\"event\":\"exit\",\"code\":%lu}", static_cast<unsigned long>(code));
    emit(last);
    return static_cast<int>(code);
}
