#pragma once
// GoogleTest's Notification (a one-time signal between its threads) over a
// Win32 event. Its own is written with std::mutex, which the mingw run-time
// of this tree does not have (win32 threads, see cmake/mingw-toolchain.cmake);
// GoogleTest takes this one instead when GTEST_HAS_NOTIFICATION_ is set. The
// build puts this header in front of every GoogleTest source and test.
#include "../../src/base/win32/WinHeaders.h"

namespace testing::internal {

class Notification {
public:
    Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() {
        if (event_) ::CloseHandle(event_);
    }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(event_); }
    void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
