#pragma once
// The library's raw allocation and its out-of-memory handler.
//
// Every dynamic allocation of the library goes through allocateMemory / reallocateMemory.
// While the handler is on (always, except inside an OutOfMemoryHandlerOff scope), a failed
// allocation does not return: the handler shows the fatal "Out Of Memory." text with the
// requested size and a dump of the stack and ends the program. The engine also routes global
// operator new / new[] through allocateMemory (platform/OperatorNew.cpp).

#include <cstddef>
#include <cstdint>

class String;

// A block of size bytes (size 0 is taken as 1). Handler on: never null. Handler off: null on
// failure.
void* allocateMemory(size_t size);
// Resizes block (null: allocates), keeping its first min(old, new) bytes. Handler on: never
// null. Handler off: null on failure, and block is then left as it was.
void* reallocateMemory(void* block, size_t size);
// Releases a block of allocateMemory / reallocateMemory; null is ignored.
void releaseMemory(void* block);

// Whether a failed allocation calls the handler (true from start-up).
bool outOfMemoryHandlerOn();

// Switches the handler off for its lifetime (nests; restores the previous state).
class OutOfMemoryHandlerOff {
public:
    OutOfMemoryHandlerOff();
    ~OutOfMemoryHandlerOff();
    OutOfMemoryHandlerOff(const OutOfMemoryHandlerOff&) = delete;
    OutOfMemoryHandlerOff& operator=(const OutOfMemoryHandlerOff&) = delete;

private:
    bool previous_;
};

// The handler: reports the failed request of size bytes through fatalError. Never returns.
[[noreturn]] void outOfMemory(size_t size);

// Number of stack words in the report.
constexpr int kOutOfMemoryStackWords = 80;

// The report's text: "Out Of Memory.  Make sure your hard drive is not full.\nRequested
// size = %u (0x%08X)\n\nStack contents:" then each of the count words as "%08X", a CR before
// words 0, 8, 16, ... and a space before the others. out is replaced.
void buildOutOfMemoryText(String& out, uint32_t size, const uint32_t* words, int count);
