#include "install/ShellFunctions.h"

#include "platform/ModuleHandle.h"
#include "platform/Win32.h"

namespace {

typedef BOOL(WINAPI* SpecialFolderPathFunction)(HWND, LPSTR, int, BOOL);
typedef void(WINAPI* ChangeNotifyFunction)(LONG, UINT, LPCVOID, LPCVOID);

struct ShellLibrary {
    bool tried = false;
    ModuleHandle module;
    SpecialFolderPathFunction specialFolderPath = nullptr;
    ChangeNotifyFunction changeNotify = nullptr;
};

template <typename Function>
Function lookUp(const ModuleHandle& module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(module.function(name)));
}

ShellLibrary& shell()
{
    static ShellLibrary library;
    if (!library.tried) {
        library.tried = true;
        library.module.reset(LoadLibraryA("shell32.dll"));
        library.specialFolderPath =
            lookUp<SpecialFolderPathFunction>(library.module, "SHGetSpecialFolderPathA");
        library.changeNotify = lookUp<ChangeNotifyFunction>(library.module, "SHChangeNotify");
        if (!library.specialFolderPath || !library.changeNotify) {
            library.specialFolderPath = nullptr;
            library.changeNotify = nullptr;
            library.module.reset();
        }
    }
    return library;
}

} // namespace

bool shellFunctionsPresent()
{
    return shell().specialFolderPath != nullptr;
}

String shellSpecialFolder(int csidl)
{
    SpecialFolderPathFunction function = shell().specialFolderPath;
    if (!function)
        return String();
    char buffer[MAX_PATH + 1] = {};
    if (!function(nullptr, buffer, csidl, FALSE))
        return String();
    buffer[MAX_PATH] = 0;
    return String(buffer);
}

bool shellChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2)
{
    ChangeNotifyFunction function = shell().changeNotify;
    if (!function)
        return false;
    function(eventId, flags, item1, item2);
    return true;
}
