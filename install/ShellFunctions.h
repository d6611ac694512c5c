#pragma once
// The two shell functions looked up at run time: shell32.dll is loaded on the first call of
// either and stays loaded until the program ends. When it cannot be loaded, or lacks either
// "SHGetSpecialFolderPathA" or "SHChangeNotify", it is released and both count as absent.

#include "core/String.h"

// Whether both functions were found (loads the library on the first call).
bool shellFunctionsPresent();

// SHGetSpecialFolderPathA(no window, csidl, do not create): the folder, or empty when the
// function is absent or fails.
String shellSpecialFolder(int csidl);

// SHChangeNotify(eventId, flags, item1, item2) when present; false when it is absent.
bool shellChangeNotify(long eventId, unsigned flags, const void* item1, const void* item2);
