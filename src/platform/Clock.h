#pragma once
#include <cstdint>

namespace torvane::platform {

// Time as the program's waits and animations see it. The real clock is the
// system's; tests use a fake that moves only when told, so slides, fades and
// retry pauses run in no real time.
// Failures: none; nothing here can fail.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual std::uint64_t NowMs() = 0;
    // Blocks the calling thread without processing window messages.
    virtual void Sleep(unsigned milliseconds) = 0;
    // The local date and time as a count of days since 30 December 1899,
    // the fraction being the time of day.
    virtual double LocalNow() = 0;
};

}  // namespace torvane::platform
