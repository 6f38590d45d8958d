#include "ui/win32/PanelPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

PanelPeer::PanelPeer(PeerContext& context, Panel& panel)
    : ControlWindow(context, panel), panel_(panel) {
    // Redraw all on resize: the caption is centred.
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW);
    CreateChild(kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void PanelPeer::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, panel_.GetColor());
    RECT inner = client;
    switch (panel_.GetBevel()) {
        case Bevel::Raised:
            ::DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            break;
        case Bevel::Lowered:
            ::DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            break;
        case Bevel::None:
            break;
    }
    const std::string& caption = panel_.Caption();
    if (caption.empty()) return;
    SelectedObject font(dc, Context().Fonts().Get(panel_.GetFont()));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc,
                   ToColorRef(panel_.Enabled() ? panel_.GetFont().color : Color{128, 128, 128}));
    ::DrawTextA(dc, caption.c_str(), -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace torvane::ui::win32
