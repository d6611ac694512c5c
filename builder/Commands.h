#pragma once
// Commands: the subcommands of the quiv program (build, list, extract, new), each taking its
// arguments (without the program and command names) and writing its report to out and its
// errors to err. Each returns the process exit code: 0 success, 1 failure, 2 a usage error.

#include <ostream>
#include <string>
#include <vector>

int runBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The whole program: argv[1] names the command. argv[0] is used to find the engine.
int runQuiv(int argc, char** argv, std::ostream& out, std::ostream& err);

// Where `quiv build` looks for the engine when no --stub is given, in order: the environment
// variable QUIV_STUB, qsx.exe beside the quiv program, then ../win64/qsx.exe from the program's
// folder (the layout of the source tree's build folder). The first that exists, else empty.
std::string findEngine(const std::string& programDir);

// The path below an extraction folder for a stored file: a folder for its destination kind
// (InstallDir, SharedDir, Fonts, System, or UninstallDir for files placed there), then its
// destination field with path variables turned into folder names, drive letters dropped and
// backslashes as separators; a destination ending in a backslash, or none, gets the name. A
// "." or ".." part is refused (std::runtime_error), so nothing lands outside the folder.
std::string extractPath(const std::string& name, unsigned kind, unsigned flags, const std::string& destination);
