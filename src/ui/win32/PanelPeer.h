#pragma once
#include "ui/Panel.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// Panels, pages and the button bar: a child window filled with the panel's
// colour, with a one-pixel raised or lowered bevel, and the caption centred
// in the panel's font and font colour (the main window's header).
class PanelPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvanePanel";

    PanelPeer(PeerContext& context, Panel& panel);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    Panel& panel_;
};

}  // namespace torvane::ui::win32
