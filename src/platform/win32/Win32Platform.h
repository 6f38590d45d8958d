#pragma once

#include <functional>
#include <memory>

#include "base/win32/WinHeaders.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Drives.h"
#include "platform/win32/Win32FileSearch.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"

namespace torvane::platform::win32 {

// Owns one Win32 implementation of each operating-system interface and the
// `Platform` that hands them out: what the program entry (and a Win32 test
// that builds the real main window) puts under the portable code. The
// clipboard owns its data through the window `mainWindow` names when asked.
// Not copyable or movable: `platform` refers to the members.
class Win32Platform {
public:
    explicit Win32Platform(std::function<HWND()> mainWindow) : clipboard_(std::move(mainWindow)) {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& Get() { return platform_; }

private:
    Win32Clock clock_;
    Win32FileSystem files_;
    Win32Drives drives_;
    Win32Processes processes_;
    Win32Shell shell_{processes_};
    Win32Registry registry_;
    Win32GuidSource guids_;
    Win32FileSearch search_;
    Win32Clipboard clipboard_;
    // Shared with the error reports' fetches, which may still run while the
    // owner of this object returns.
    std::shared_ptr<Win32Http> http_ = std::make_shared<Win32Http>();
    Platform platform_{clock_,     files_, drives_,    shell_, registry_,
                       processes_, guids_, clipboard_, http_,  search_};
};

}  // namespace torvane::platform::win32
