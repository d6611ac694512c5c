#pragma once
// Fatal errors of the foundation library and of every program built on it.
//
// fatalError is the one link-time hook: each program defines it once. The engine shows the
// "FATAL ERROR" box and leaves through its exit path; the builder and the tests print the text
// to standard error and exit non-zero. The other operations are built on it here.

class String;

// Shows the text as a fatal error and ends the process. Never returns.
[[noreturn]] void fatalError(const String& text);

// Formats the text (String::Format rules) and calls fatalError. Never returns.
[[noreturn]] void fatalErrorf(const char* format, ...);

// A failed consistency check of the library: "Internal Fatal Error\r\nModule: %s\r\nLine: %d".
[[noreturn]] void internalError(const char* module, int line);
