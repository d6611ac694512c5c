// The parts of Vector that do not depend on the element type.
#include "core/Vector.h"

#include "core/Fatal.h"
#include "core/String.h"

#include <cstdint>

void vectorIndexError(const char* signature, int index, int count)
{
    String name;
    typeNameFromSignature(name, signature);
    fatalErrorf("Vector<%s>[%d]\nmax_index = %d", name.CStr(), index, count - 1);
}

void* allocateElements(void* block, long long count, size_t elementSize)
{
    unsigned long long size = static_cast<unsigned long long>(count < 1 ? 1 : count) * elementSize;
    if (size > static_cast<unsigned long long>(SIZE_MAX / 2))
        outOfMemory(static_cast<size_t>(-1));
    return reallocateMemory(block, static_cast<size_t>(size));
}

int grownSlotCapacity(int n)
{
    long long m = 3LL * n / 2;
    if (m < 7)
        return 6;
    if (m * 4 <= 8192)
        return static_cast<int>(m);
    long long capacity = static_cast<long long>(n) + 2048;
    return capacity > 0x7fffffff ? 0x7fffffff : static_cast<int>(capacity);
}

int grownObjectCapacity(int n)
{
    long long m = 3LL * n / 2;
    if (m < 6)
        return 6;
    return m > 0x7fffffff ? 0x7fffffff : static_cast<int>(m);
}
