#include "ui/win32/EditPeer.h"

#include <string>

namespace torvane::ui::win32 {

EditPeer::EditPeer(PeerContext& context, Edit& edit)
    : NativeControlPeer(context, edit, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
      edit_(edit) {}

void EditPeer::Command(WORD code) {
    if (code != EN_CHANGE) return;
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(Handle())) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()))));
    // Setting the text from the control changes the window too; UserTyped
    // ignores the text it already has.
    App().Dispatch([this, &text] { edit_.UserTyped(text); });
}

LRESULT EditPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR: {
            char key = 0;
            App().Dispatch([&] { key = edit_.KeyPress(static_cast<char>(wParam)); });
            // Swallowed (0, or the handler failed), or Enter, which a one-line box
            // cannot hold (passing it on would only beep).
            if (key == 0 || key == '\r') return 0;
            return DefaultHandling(WM_CHAR, static_cast<unsigned char>(key), lParam);
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            // The user left the box for another control of its panel. A
            // message box, another program (no window of this thread gets
            // the focus) or the main window taking the focus while panels
            // change are no exit from the box.
            const HWND next = reinterpret_cast<HWND>(wParam);
            const HWND panel = ::GetParent(Handle());
            if (next && next != Handle() && panel && ::IsChild(panel, next))
                App().Dispatch([this] { edit_.Exit(); });
            return result;
        }
        case WM_GETDLGCODE: {
            LRESULT code = DefaultHandling(message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        default:
            return NativeControlPeer::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace torvane::ui::win32
