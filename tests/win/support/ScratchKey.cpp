#include "tests/win/support/ScratchKey.h"

#include <cstdio>

namespace {

const char kParent[] = "Software\\quiv-tests";

std::string join(const std::string& path, const std::string& sub)
{
    return sub.empty() ? path : path + "\\" + sub;
}

} // namespace

ScratchKey::ScratchKey()
{
    static int counter = 0;
    for (;;) {
        char name[96];
        std::snprintf(name, sizeof name, "%s\\k%lu-%lu-%d", kParent, GetCurrentProcessId(), GetTickCount(),
                      ++counter);
        path_ = name;
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition) != ERROR_SUCCESS)
            continue;
        RegCloseKey(key);
        if (disposition == REG_CREATED_NEW_KEY)
            break;
    }
}

ScratchKey::~ScratchKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kParent); // fails while other scratch keys remain
}

bool ScratchKey::CreateKey(const std::string& sub) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, join(path_, sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ScratchKey::KeyExists(const std::string& sub) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, join(path_, sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ScratchKey::WriteRaw(const std::string& sub, const char* name, DWORD type, const std::string& bytes) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, join(path_, sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool ScratchKey::ReadRaw(const std::string& sub, const char* name, DWORD& type, std::string& bytes) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, join(path_, sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
