#pragma once
// ProjectFile: a product described in a TOML project file (docs/project-file.md lists every
// key), read into the settings and files an installer is built from.

#include "builder/CompressionLevel.h"
#include "builder/FileDataWriter.h"
#include "builder/ProductSpec.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A fault in a project or language file; what() reads "FILE:LINE: KEY: problem" (the line
// and key when known).
class ProjectError : public std::runtime_error {
public:
    ProjectError(const std::string& file, int line, const std::string& key, const std::string& problem);
    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& key() const { return key_; }

private:
    std::string file_;
    int line_;
    std::string key_;
};

struct Project {
    ProductSpec spec;                  // settings, languages included
    std::vector<StoredFile> files;     // in installation order
    uint64_t volumeSize = 0;           // 0: one-file installer
    CompressionLevel compression = CompressionLevel::kBest;
    std::string output;                // [build] output, relative to the project's folder
    std::vector<std::string> warnings;
};

// Called for each source file as it is read (its path and size), for a progress display.
using ProjectProgress = std::function<void(const std::string& path, uint64_t size)>;

// Reads the project file at path; paths in it are relative to its folder. Throws
// ProjectError for a file that cannot be read or parsed, an unknown key, a value of the
// wrong type or range, a missing source file or a pattern that matches nothing, an empty
// product name, and settings the installer would refuse.
Project loadProject(const std::string& path, const ProjectProgress& progress = {});

// As loadProject for a text (name is used in messages and dir resolves the paths).
Project parseProject(const std::string& text, const std::string& name, const std::string& dir,
                     const ProjectProgress& progress = {});

// Whether path (with '/' separators) matches the glob pattern: '*' any run of characters
// but '/', '?' one character but '/', "**/" any number of whole folders, a trailing "**"
// anything; letter case matters.
bool globMatch(const std::string& pattern, const std::string& path);
