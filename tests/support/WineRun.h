#pragma once
// WineRun: runs a Windows program in the Wine session under uidriver, which answers its
// windows by rules, and returns the windows it showed and how it ended.
//
// The session (tools/wine-session) is the one the test run started; without one, the first
// run starts it and it ends when the test program exits.

#include <string>
#include <vector>

struct WineControl {
    int id = 0;
    std::string className;
    std::string text;
    std::vector<std::string> items;  // list-box and combo-box items
    int selected = -1;               // selected item, -1 for none (lists and combo boxes)
    int checked = -1;                // check state of check boxes and radio buttons, else -1
    bool disabled = false;
};

struct WineWindow {
    int seq = 0;  // 1 for the first window reported, ...
    std::string hwnd, className, caption;
    unsigned long style = 0;
    std::vector<WineControl> controls;
    std::string shot;  // Windows path of the screenshot, empty without one
    std::string rule;  // the rule that answered it, empty when none did

    // The first control with this id; null when there is none.
    const WineControl* Control(int id) const;
    // The text of a message box (the static with id 0xFFFF); empty for other windows.
    std::string MessageText() const;
    // The texts of the buttons, in window order.
    std::vector<std::string> Buttons() const;
    // The caption or the text of any control contains part.
    bool HasText(const std::string& part) const;
};

struct WineRunResult {
    int status = -1;          // the run's exit status as Linux sees it (the low 8 bits)
    long long exitCode = -1;  // the program's own exit code (all 32 bits); -1 when it was killed
    bool timedOut = false;    // uidriver's timeout ended the program
    std::string failure;      // why uidriver ended the run (strict mode, start failure), else ""
    std::vector<WineWindow> windows;
    std::vector<std::string> lines;  // uidriver's JSON lines as written

    // The first window whose caption or texts contain captionOrText; null when none does.
    const WineWindow* FindWindow(const std::string& captionOrText) const;
    // All lines, for failure messages.
    std::string Transcript() const;
};

struct WineRunOptions {
    std::vector<std::string> rules;  // uidriver rules, e.g. caption "Setup" -> press "OK"
    bool strict = true;              // a window no rule expects fails the run
    int timeoutSeconds = 30;
    std::string shotsDir;            // Linux folder for screenshots; empty: none
    std::string workDir;             // Linux folder the program starts in; empty: the current one
};

// Runs program (a Linux path, or a Windows path) with args (passed as they are) under
// uidriver. Problems of the run itself (no uidriver, wine-session failing) come back as a
// result with failure set and status -1 or the script's status.
WineRunResult RunInWine(const std::string& program, const std::vector<std::string>& args,
                        const WineRunOptions& options);

// Starts program with args in the Wine session without uidriver and without waiting, for a
// helper that must run beside the program under test. Returns the Linux process id of the run,
// or -1 when it could not start.
int StartInWine(const std::string& program, const std::vector<std::string>& args);
// Waits up to seconds for a run of StartInWine to end. Returns its exit status; -1 when it did
// not end in time (it is then killed) or pid is no such run.
int WaitForWine(int pid, int seconds);

// Runs program with args in the Wine session without uidriver, up to 60 seconds, and returns
// what it wrote to standard output, line by line without line ends; empty when it did not run.
std::vector<std::string> WineOutputLines(const std::string& program, const std::vector<std::string>& args);

// The Linux folder of the session's drive C: (inside its prefix).
std::string WineDriveC();

// The Windows path of a Linux path (drive Z: is the Linux root); other paths unchanged.
std::string WinePath(const std::string& linuxPath);
// A file of the x86_64 Windows build, e.g. Win64File("tests/fixtures/uiprobe.exe").
std::string Win64File(const std::string& relative);
