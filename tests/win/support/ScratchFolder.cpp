#include "tests/win/support/ScratchFolder.h"

#include "platform/Win32.h"

#include <cstdio>

namespace {

void removeTree(const std::string& dir)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

} // namespace

ScratchFolder::ScratchFolder()
{
    static int counter = 0;
    char temp[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof temp, temp);
    std::string base(temp, n);
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "\\quiv-test-%lu-%d", GetCurrentProcessId(), ++counter);
        path_ = base + name;
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
    }
}

ScratchFolder::~ScratchFolder()
{
    removeTree(path_);
}

std::string ScratchFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::string path = *this / name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    return path;
}

std::string ScratchFolder::ReadFile(const std::string& path)
{
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
}

bool ScratchFolder::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
