#pragma once
// ScratchFolder: a new empty folder under the Windows temporary directory for one test, removed
// with everything in it when the object goes.

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

    // Creates (or replaces) the file name in the folder with bytes; its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;
    // The bytes of a file (any path); empty when it cannot be read.
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);

private:
    std::string path_;
};
