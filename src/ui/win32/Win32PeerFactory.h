#pragma once
#include <memory>

#include "ui/Control.h"
#include "ui/win32/GdiTextMeasurer.h"
#include "ui/win32/PeerContext.h"

namespace torvane::ui::win32 {

// Makes the Win32 peer of each control kind. Install it on the main form
// before Realize(); it must outlive the form (it owns the fonts and icons the
// peers draw with).
class Win32PeerFactory : public PeerFactory {
public:
    Win32PeerFactory(Application& app, Win32ApplicationHost& host)
        : context_(app, host), measurer_(context_.Fonts()) {}

    std::unique_ptr<ControlPeer> CreatePeer(Control& control) override;
    const TextMeasurer* Measurer() const override { return &measurer_; }

    PeerContext& Context() { return context_; }

private:
    PeerContext context_;
    GdiTextMeasurer measurer_;
};

}  // namespace torvane::ui::win32
