// Raw allocation with the out-of-memory handler, and the handler's report.
#include "core/OutOfMemory.h"

#include "core/Fatal.h"
#include "core/String.h"

#include <cstdlib>

namespace {

bool handlerOn = true;

// Released by the handler before it builds its report, so that the report and the fatal box
// can still be made when the heap is exhausted.
void* emergencyReserve = std::malloc(64 * 1024);

uint32_t stackWords[kOutOfMemoryStackWords];

// Copies count 32-bit words from first upwards (towards the callers' frames). The memory
// beyond the first two words belongs to other frames: read it raw.
#if defined(__GNUC__)
__attribute__((no_sanitize_address, noinline))
#endif
void copyStackWords(const volatile uint32_t* first, uint32_t* out, int count)
{
    uintptr_t address = reinterpret_cast<uintptr_t>(first);
    for (int i = 0; i < count; ++i)
        out[i] = *reinterpret_cast<const volatile uint32_t*>(address + 4 * static_cast<uintptr_t>(i));
}

} // namespace

void* allocateMemory(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block && handlerOn)
        outOfMemory(size);
    return block;
}

void* reallocateMemory(void* block, size_t size)
{
    void* moved = std::realloc(block, size ? size : 1);
    if (!moved && handlerOn)
        outOfMemory(size);
    return moved;
}

void releaseMemory(void* block)
{
    std::free(block);
}

bool outOfMemoryHandlerOn()
{
    return handlerOn;
}

OutOfMemoryHandlerOff::OutOfMemoryHandlerOff() : previous_(handlerOn)
{
    handlerOn = false;
}

OutOfMemoryHandlerOff::~OutOfMemoryHandlerOff()
{
    handlerOn = previous_;
}

#if defined(__GNUC__)
__attribute__((noinline))
#endif
void outOfMemory(size_t size)
{
    static bool reporting = false;
    if (reporting)
        std::abort(); // the report itself could not be made
    reporting = true;

    volatile uint32_t markers[2] = {0x11223344u, 0x55667788u};
    copyStackWords(markers, stackWords, kOutOfMemoryStackWords);

    std::free(emergencyReserve);
    emergencyReserve = nullptr;

    String text;
    buildOutOfMemoryText(text, static_cast<uint32_t>(size), stackWords, kOutOfMemoryStackWords);
    fatalError(text);
}

void buildOutOfMemoryText(String& out, uint32_t size, const uint32_t* words, int count)
{
    out.Format("Out Of Memory.  Make sure your hard drive is not full.\n"
               "Requested size = %u (0x%08X)\n\nStack contents:",
               static_cast<unsigned>(size), static_cast<unsigned>(size));
    for (int i = 0; i < count; ++i)
        out.AppendFormat(i % 8 == 0 ? "\r%08X" : " %08X", static_cast<unsigned>(words[i]));
}
