#pragma once

#include <memory>

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/FileSearch.h"
#include "platform/FileSystem.h"
#include "platform/GuidSource.h"
#include "platform/Http.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace torvane::platform {

// The operating system as the portable code sees it: one small interface per
// concern. The real program fills it with the Win32 implementations, the unit
// tests with fakes. None of them is owned here: each must outlive every user
// of this object. The one exception is `http`, shared with every web fetch
// in flight: a fetch may still run while the program ends and everything
// else goes, and is abandoned with the process.
struct Platform {
    Clock& clock;
    FileSystem& files;
    Drives& drives;
    Shell& shell;
    Registry& registry;
    Processes& processes;
    GuidSource& guids;
    Clipboard& clipboard;
    std::shared_ptr<Http> http;
    FileSearch& search;
};

}  // namespace torvane::platform
