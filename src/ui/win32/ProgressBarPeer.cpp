#include "ui/win32/ProgressBarPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

ProgressBarPeer::ProgressBarPeer(PeerContext& context, ProgressBar& bar)
    : ControlWindow(context, bar), bar_(bar) {
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW);
    CreateChild(kClassName);
}

void ProgressBarPeer::Apply(Property what) {
    // The installer moves the bar thousands of times; paint at once so the
    // change shows even while the work keeps the message queue busy.
    if (what == Property::Position || what == Property::All) Repaint(true);
}

void ProgressBarPeer::Paint(HDC dc, const RECT& client) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT inner = client;
    ::DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    const long long range = static_cast<long long>(bar_.Max()) - bar_.Min();
    if (range <= 0) return;
    const long long done = static_cast<long long>(bar_.Position()) - bar_.Min();
    const int width = inner.right - inner.left;
    int filled = static_cast<int>(done * width / range);
    if (!bar_.Smooth()) {
        // Blocks of about two thirds of the height, with a gap of two pixels.
        const int block = (inner.bottom - inner.top) * 2 / 3 + 2;
        if (block > 0) filled = filled / block * block;
    }
    RECT bar = inner;
    bar.right = inner.left + filled;
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_HIGHLIGHT));
}

}  // namespace torvane::ui::win32
