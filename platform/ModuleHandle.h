#pragma once
// ModuleHandle: owns one library loaded with LoadLibraryA and frees it when it goes.

#include "platform/Win32.h"

class ModuleHandle {
public:
    ModuleHandle() : module_(nullptr) {}
    // Takes ownership of module (null means none).
    explicit ModuleHandle(HMODULE module) : module_(module) {}
    ~ModuleHandle() { reset(); }

    ModuleHandle(const ModuleHandle&) = delete;
    ModuleHandle& operator=(const ModuleHandle&) = delete;

    bool isLoaded() const { return module_ != nullptr; }
    HMODULE get() const { return module_; }
    // The exported function name, null when it is missing or nothing is loaded.
    FARPROC function(const char* name) const
    {
        return module_ ? GetProcAddress(module_, name) : nullptr;
    }
    // Frees the held library, if any, and takes ownership of module.
    void reset(HMODULE module = nullptr)
    {
        if (module_ && module_ != module)
            FreeLibrary(module_);
        module_ = module;
    }

private:
    HMODULE module_;
};
