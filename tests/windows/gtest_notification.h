// Forced into every translation unit of GoogleTest and of the tests when
// they are built with Debian's MinGW-w64 "-win32" compilers (scripts/windows).
// Those compilers use the Windows thread model, whose C++ library has no
// std::mutex or std::condition_variable, and GoogleTest 1.12 builds its
// Notification on them.  This one waits on an atomic flag instead; the
// library's tests start no threads of their own, so it is never contended.
#pragma once

#ifdef __cplusplus
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;
    void Notify() { notified_.store(true, std::memory_order_release); }
    void WaitForNotification()
    {
        while (!notified_.load(std::memory_order_acquire)) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
#endif
