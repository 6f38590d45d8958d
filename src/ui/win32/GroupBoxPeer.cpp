#include "ui/win32/GroupBoxPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

GroupBoxPeer::GroupBoxPeer(PeerContext& context, RadioGroup& group)
    : ControlWindow(context, group), group_(group) {
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW);
    // A control parent: Tab and Alt+letter reach the buttons inside.
    CreateChild(kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void GroupBoxPeer::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, group_.GetColor());
    SelectedObject font(dc, Context().Fonts().Get(group_.GetFont()));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top = metrics.tmHeight / 2;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    if (group_.Caption().empty()) return;
    // The caption from 8 pixels in, on the group's colour, over the frame's top edge.
    RECT text{8, 0, client.right - 8, metrics.tmHeight};
    ::DrawTextA(dc, group_.Caption().c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    if (text.right > client.right - 8) text.right = client.right - 8;
    RECT behind{text.left - 2, text.top, text.right + 2, text.bottom};
    FillSolid(dc, behind, group_.GetColor());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(
        dc, group_.Enabled() ? ToColorRef(group_.GetFont().color) : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextA(dc, group_.Caption().c_str(), -1, &text, DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace torvane::ui::win32
