#pragma once
#include <cstdint>

#include "platform/Clock.h"

namespace torvane::testing {

// A clock that moves only when told: Sleep() and Advance() move it forward.
class FakeClock : public platform::Clock {
public:
    std::uint64_t NowMs() override { return now; }
    void Sleep(unsigned milliseconds) override {
        now += milliseconds;
        sleptMs += milliseconds;
    }
    void Advance(unsigned milliseconds) { now += milliseconds; }
    double LocalNow() override { return localNow + static_cast<double>(now) / 86400000.0; }

    std::uint64_t now = 1000;
    std::uint64_t sleptMs = 0;
    // 8 December 2026, 00:00, plus the milliseconds of `now`.
    double localNow = 46364.0;
};

}  // namespace torvane::testing
