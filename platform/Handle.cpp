// Owning kernel object handles.
#include "platform/Handle.h"

#include "platform/Win32.h"

Handle::~Handle()
{
    reset();
}

bool Handle::valid() const
{
    return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE;
}

void Handle::reset(void* handle)
{
    if (valid())
        CloseHandle(handle_);
    handle_ = handle;
}
