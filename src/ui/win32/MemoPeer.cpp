#include "ui/win32/MemoPeer.h"

namespace torvane::ui::win32 {

MemoPeer::MemoPeer(PeerContext& context, Memo& memo)
    : NativeControlPeer(context, memo, "EDIT",
                        ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
      memo_(memo) {}

std::string MemoPeer::WindowText() const {
    std::string text;
    for (std::size_t i = 0; i < memo_.Lines().size(); ++i) {
        if (i > 0) text += "\r\n";
        text += memo_.Lines()[i];
    }
    return text;
}

void MemoPeer::Apply(Property what) {
    NativeControlPeer::Apply(what);
    switch (what) {
        case Property::All:
            ::SendMessageA(Handle(), EM_SETREADONLY, memo_.ReadOnly() ? TRUE : FALSE, 0);
            break;
        case Property::Items:
            ::SetWindowTextA(Handle(), WindowText().c_str());
            break;
        case Property::Selection:
            ::SendMessageA(Handle(), EM_SETSEL, 0, 0);
            ::SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
            break;
        default:
            break;
    }
}

LRESULT MemoPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = NativeControlPeer::HandleMessage(message, wParam, lParam);
    // A read-only box has no use for Tab or Enter: the dialog manager gets
    // them (Tab to the next control). Arrows and Page keys still scroll it.
    if (message == WM_GETDLGCODE && memo_.ReadOnly()) result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    return result;
}

}  // namespace torvane::ui::win32
