#pragma once
// Rules: how uidriver answers the windows it sees. One rule per line (or per --rule):
//
//   [once] [caption "TEXT"] [text "TEXT"] [class "NAME"] -> ACTION...
//
// The matches are substrings (caption of the window; text of any of its visible controls;
// class name exactly); every one given must hold. A rule without matches matches any window.
// Actions, carried out in order:
//   press "TEXT"          click the button whose text is TEXT ('&' ignored, case ignored);
//   press #ID             click the control with that id
//   type ID "TEXT"        set the text of the control (edit, combo box)
//   select ID "ITEM"      select the list-box or combo-box item (exact, case ignored)
//   dblclick ID "ITEM"    select it and report a double click
//   close                 ask the window to close (WM_CLOSE)
// No action after "->" (or no "->") means: expected, left alone. "once" rules are used for
// one window only, so a sequence of equal windows can be answered differently.
// Lines starting with '#' and blank lines are ignored. IDs are decimal or 0x hex.

enum class ActionKind { Press, PressId, Type, Select, DoubleClick, Close };

struct Action {
    ActionKind kind;
    int id;
    char text[512];
};

struct Rule {
    static constexpr int kMaxActions = 16;
    char caption[256];
    char text[256];
    char className[128];
    bool hasCaption, hasText, hasClass;
    bool once;
    bool used;
    int actionCount;
    Action actions[kMaxActions];
    char source[512];  // the rule as written, for the JSON lines
};

class Rules {
public:
    static constexpr int kMaxRules = 64;

    // Adds one rule. False with a message in error (rules unchanged) when it does not parse.
    bool Add(const char* line, char* error, int errorSize);
    // Adds every rule of the file (UTF-8 or ANSI, converted to ANSI). False with a message
    // in error on the first bad line or an unreadable file; the rules before it stay.
    bool AddFile(const char* path, char* error, int errorSize);

    int Count() const { return count_; }
    Rule& At(int i) { return rules_[i]; }

private:
    Rule rules_[kMaxRules];
    int count_ = 0;
};
