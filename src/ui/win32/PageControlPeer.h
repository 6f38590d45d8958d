#pragma once
#include "ui/PageControl.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// The page control: a plain container for its pages. No tabs are drawn; the
// portable code shows the active page and hides the others.
class PageControlPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvanePages";

    PageControlPeer(PeerContext& context, PageControl& pages);

protected:
    void Paint(HDC dc, const RECT& client) override;
};

}  // namespace torvane::ui::win32
