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

    std::uint64_t now = 1000;
    std::uint64_t sleptMs = 0;
};

}  // namespace torvane::testing
