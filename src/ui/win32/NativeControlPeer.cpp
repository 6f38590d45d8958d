#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

NativeControlPeer::NativeControlPeer(PeerContext& context, Control& control,
                                     const char* systemClass, DWORD style, DWORD exStyle)
    : ControlWindow(context, control) {
    CreateChild(systemClass, style, exStyle);
    Subclass();
}

void NativeControlPeer::Apply(Property what) {
    if (what == Property::All || what == Property::Font)
        ::SendMessageA(Handle(), WM_SETFONT,
                       reinterpret_cast<WPARAM>(Context().Fonts().Get(Subject().GetFont())), TRUE);
}

HBRUSH NativeControlPeer::ControlColor(HDC dc) {
    const Color color = Subject().GetColor();
    if (!brush_ || brushColor_ != color) {
        brush_.Reset(::CreateSolidBrush(ToColorRef(color)));
        brushColor_ = color;
    }
    ::SetTextColor(dc, ToColorRef(Subject().GetFont().color));
    ::SetBkColor(dc, ToColorRef(color));
    return brush_.Get();
}

void NativeControlPeer::Paint(HDC dc, const RECT&) {
    DefaultHandling(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
}

LRESULT NativeControlPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace torvane::ui::win32
