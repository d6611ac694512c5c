#pragma once
// GoogleTest's Notification for MinGW's win32 thread model, which has no std::mutex or
// std::condition_variable. Included ahead of every GoogleTest source and test of the Windows
// build. The tests run on one thread; a flag and a yielding wait serve.
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : notified_(false) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification()
    {
        while (!notified_)
            Sleep(0);
    }

private:
    std::atomic<bool> notified_;
};

} // namespace internal
} // namespace testing
