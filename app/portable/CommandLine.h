#pragma once
// The installer's command line: its atoms, the switches they set and the usage text.
//
//   /a              automatic mode
//   /d:"dir"        installation directory
//   /n:"name"       product name
//   /u:"name"       uninstall the named product
//   /r:"program"    program to run after a successful installation (` stands for ")
//
// Switch letters are accepted in either case and with '-' in place of '/'.

#include "core/String.h"

// The run options of one command line. A later switch of the same kind replaces the value
// of an earlier one.
struct CommandLineOptions {
    bool automaticMode = false;
    bool uninstallMode = false;
    String installDir;
    String productName;
    String uninstallName;
    String runAfterProgram;
};

// At most this many atoms are examined; the rest of the line is ignored.
constexpr int kMaxCommandLineAtoms = 19;

// Takes the next atom off the front of text at pos: leading blanks (space, CR, LF, tab) are
// skipped, then bytes are collected up to a blank (consumed) or the end. A '"' opens a quoted
// section that runs to the next single '"' (a doubled one stands for one '"'); the section is
// kept in the atom inside one pair of quotes, an unclosed one too. pos is advanced past what
// was consumed. Returns the atom; an empty atom means the text is exhausted.
String nextCommandLineAtom(const char* text, int length, int& pos);

// Parses the command-line tail (without the program name) into options. True when the line
// is valid. False on a usage error, with message set to the reason ("Unexpected command line
// parameter:\n<atom>", "Illegal command line atom:\n<atom>", or "Product name required" for
// uninstall mode without a name); options then hold what the atoms before the error set.
bool parseCommandLine(const char* tail, CommandLineOptions& options, String& message);

// The usage text shown for a usage error: the message, then the switches, with programName
// (the program's own file name) in the synopsis.
String usageText(const String& message, const String& programName);
