// The engine's global operator new and delete: every allocation goes through the library's
// allocator and its out-of-memory handler, so new never fails and never throws (and the C++
// runtime's exception support stays out of the program).
#include "core/OutOfMemory.h"

#include <cstddef>

void* operator new(std::size_t size)
{
    return allocateMemory(size);
}

void* operator new[](std::size_t size)
{
    return allocateMemory(size);
}

void operator delete(void* block) noexcept
{
    releaseMemory(block);
}

void operator delete[](void* block) noexcept
{
    releaseMemory(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    releaseMemory(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    releaseMemory(block);
}
