#pragma once
// An abstract byte stream: the file object and MemoryStream derive from it, and the String
// readers and writers (core/String.h) work on any of them.
//
// Read and Write are the first two virtual functions (in this order), so the first slot of
// every stream's table is Read.

class Stream {
public:
    // Reads exactly count bytes into buffer. True on success; false when fewer bytes were
    // available or the device failed (the buffer content is then unspecified).
    virtual bool Read(void* buffer, int count) = 0;

    // Writes exactly count bytes from buffer. True on success, false on failure.
    virtual bool Write(const void* buffer, int count) = 0;

    virtual ~Stream() {}

protected:
    Stream() {}
    Stream(const Stream&) = default;
    Stream& operator=(const Stream&) = default;
};
