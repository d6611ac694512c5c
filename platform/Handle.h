#pragma once
// Handle: owns one kernel object handle (file, process, thread, ...) and closes it.

class Handle {
public:
    // Takes ownership of handle; null and INVALID_HANDLE_VALUE both mean none.
    explicit Handle(void* handle = nullptr) : handle_(handle) {}
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    // True when a handle is held.
    bool valid() const;
    void* get() const { return handle_; }
    // Closes the held handle (if any) and takes handle.
    void reset(void* handle = nullptr);

private:
    void* handle_;
};
