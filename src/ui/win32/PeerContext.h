#pragma once
#include <memory>

#include "base/win32/UniqueHandle.h"
#include "ui/win32/AccessibleObject.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/ShellIcons.h"

namespace torvane::ui {
class Application;
}

namespace torvane::ui::win32 {

class Win32ApplicationHost;

// The resource id of the program icon (ICON 1 in Install_Torvane.rc), which
// is also the main window's class icon and what ImgIcon shows.
constexpr int kProgramIconId = 1;

// What every peer shares: the application (for Dispatch), the host (the main
// window's registration), the font cache and the program icon. Owned by the
// factory, which outlives all peers.
class PeerContext {
public:
    PeerContext(Application& app, Win32ApplicationHost& host) : app_(app), host_(host) {}
    PeerContext(const PeerContext&) = delete;
    PeerContext& operator=(const PeerContext&) = delete;

    Application& App() const { return app_; }
    Win32ApplicationHost& Host() const { return host_; }
    FontCache& Fonts() { return fonts_; }
    ShellIcons& Icons() { return shellIcons_; }

    // The program icon at the system's large (32 x 32) or small (16 x 16)
    // icon size; nullptr when the executable carries none.
    HICON ProgramIcon(bool small = false);

    // oleacc for the accessible objects, loaded at the first request;
    // nullptr when the system has none.
    Oleacc* Accessibility();

private:
    Application& app_;
    Win32ApplicationHost& host_;
    FontCache fonts_;
    ShellIcons shellIcons_;
    platform::win32::UniqueIcon largeIcon_;
    platform::win32::UniqueIcon smallIcon_;
    std::unique_ptr<Oleacc> oleacc_;
    bool oleaccTried_ = false;
};

}  // namespace torvane::ui::win32
