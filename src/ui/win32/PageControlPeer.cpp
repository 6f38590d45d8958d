#include "ui/win32/PageControlPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

PageControlPeer::PageControlPeer(PeerContext& context, PageControl& pages)
    : ControlWindow(context, pages) {
    RegisterClassOnce(kClassName, 0);
    CreateChild(kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void PageControlPeer::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, Subject().GetColor());
}

}  // namespace torvane::ui::win32
