#pragma once

#include "platform/Clock.h"

namespace torvane::platform {

// The operating system as the portable code sees it: one small interface per
// concern. The real program fills it with the Win32 implementations, the unit
// tests with fakes. None of them is owned here.
struct Platform {
    Clock& clock;
};

}  // namespace torvane::platform
