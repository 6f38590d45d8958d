#pragma once
#include <cstdint>

#include "platform/Clock.h"

namespace torvane::platform::win32 {

// The system's clock: the performance counter for "now" (millisecond
// resolution and better, where GetTickCount steps by 10-16 ms and would make
// every 40 ms slide pause last 47 ms), ::Sleep for waits.
class Win32Clock : public Clock {
public:
    Win32Clock();
    std::uint64_t NowMs() override;
    void Sleep(unsigned milliseconds) override;
    double LocalNow() override;

private:
    std::uint64_t frequency_ = 0;  // counts per second; 0 when there is no counter
};

}  // namespace torvane::platform::win32
