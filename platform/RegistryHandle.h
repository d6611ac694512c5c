#pragma once
// RegistryHandle: owns one open registry key (RegCloseKey) and closes it when it goes.

#include "platform/Win32.h"

class RegistryHandle {
public:
    RegistryHandle() : key_(nullptr) {}
    // Takes ownership of key (null means none).
    explicit RegistryHandle(HKEY key) : key_(key) {}
    ~RegistryHandle() { close(); }

    RegistryHandle(const RegistryHandle&) = delete;
    RegistryHandle& operator=(const RegistryHandle&) = delete;

    // Whether a key is held.
    bool isOpen() const { return key_ != nullptr; }
    // The key (null when none); ownership stays here.
    HKEY get() const { return key_; }
    // Where an open function stores a new key; the held key is closed first.
    HKEY* receive()
    {
        close();
        return &key_;
    }

    // Closes the held key, if any, and takes ownership of key.
    void reset(HKEY key = nullptr)
    {
        if (key != key_)
            close();
        key_ = key;
    }
    // Gives the key up without closing it; none is held afterwards.
    HKEY release()
    {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    // Closes the held key, if any.
    void close()
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_;
};
