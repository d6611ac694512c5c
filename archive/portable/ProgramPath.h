#pragma once
// The path of the program's own file, as its command line names it.

#include "core/String.h"

// The program path at the start of commandLine (null counts as empty): leading spaces,
// carriage returns, line feeds and tabs are skipped; a path that starts with a double quote
// runs to the next lone double quote (two adjacent ones inside stand for one; a missing
// closing quote takes the rest); otherwise it runs to the first space (or the end). When the
// file-name part (behind the last backslash) holds no dot, ".EXE" is appended.
String programPathFromCommandLine(const char* commandLine);
