#pragma once
// The thread's last error code, set by the operations that report through it.

#include "platform/Win32.h"

inline void setLastError(unsigned long code)
{
    SetLastError(code);
}

// The last error becomes 0 (no error).
inline void clearLastError()
{
    SetLastError(0);
}

// The last error becomes ERROR_INVALID_PARAMETER (87).
inline void setInvalidParameterError()
{
    SetLastError(ERROR_INVALID_PARAMETER);
}
