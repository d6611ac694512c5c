#pragma once
// ScratchKey: a new empty registry key HKEY_CURRENT_USER\Software\quiv-tests\<unique> for one
// test, removed with everything below it when the object goes (and quiv-tests with it once
// empty).

#include "platform/Win32.h"

#include <string>

class ScratchKey {
public:
    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // Below HKEY_CURRENT_USER: "Software\quiv-tests\<unique>".
    const std::string& Path() const { return path_; }
    // Below HKEY_CURRENT_USER\Software: "quiv-tests\<unique>".
    std::string SoftwarePath() const { return path_.substr(9); }
    // Path() + "\" + sub.
    std::string operator/(const std::string& sub) const { return path_ + "\\" + sub; }

    // Creates the key Path()\sub (and those before it); true on success.
    bool CreateKey(const std::string& sub) const;
    // Whether Path()\sub exists ("" is the scratch key itself).
    bool KeyExists(const std::string& sub) const;
    // Writes a value of any type with exactly these bytes into Path()\sub (created).
    bool WriteRaw(const std::string& sub, const char* name, DWORD type, const std::string& bytes) const;
    // Reads a value of Path()\sub as it is stored; false when it cannot be read.
    bool ReadRaw(const std::string& sub, const char* name, DWORD& type, std::string& bytes) const;

private:
    std::string path_;
};
