#pragma once
#include <functional>
#include <string>

#include "base/win32/WinHeaders.h"
#include "platform/Clipboard.h"

namespace torvane::platform::win32 {

// platform::Clipboard as CF_TEXT. The clipboard is opened for the window
// `owner` names at the time of the call (the main window): opened for no
// window, EmptyClipboard would leave it without an owner and
// SetClipboardData would fail.
class Win32Clipboard : public Clipboard {
public:
    explicit Win32Clipboard(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    void SetText(const std::string& text) override;

private:
    std::function<HWND()> owner_;
};

}  // namespace torvane::platform::win32
