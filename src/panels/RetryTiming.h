#pragma once
#include <cstdint>

namespace torvane {

// How long the upgrade waits: after each failed attempt to replace the
// client, `retryPauses` pauses of `pauseMs` each (15 s in all), and before an
// unattended upgrade's first attempt three such pauses, so that the client
// that started it has time to end.
//
// The values live in RetryTiming.cpp alone, so that a test-only copy of the
// setup can be linked with shorter waits (TORVANE_SHORT_RETRY_WAITS) from the
// same objects. `tag` lets a build check read the values back out of a
// finished program and refuse a shipped one that carries the short waits.
struct RetryTiming {
    char tag[16];
    std::uint32_t retryPauses;
    std::uint32_t pauseMs;
};

extern const RetryTiming kRetryTiming;

// The tag's text, as it stands in the program's data.
constexpr const char* kRetryTimingTag = "torvane-retries";

}  // namespace torvane
