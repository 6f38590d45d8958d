#include "ui/win32/LabelPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

LabelPeer::LabelPeer(PeerContext& context, Label& label)
    : ControlWindow(context, label), label_(label) {
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW);
    CreateChild(kClassName);
}

UINT LabelPeer::TextFormat() const {
    return DT_LEFT | DT_EXPANDTABS | (label_.WordWrap() ? DT_WORDBREAK : 0);
}

Bounds LabelPeer::WindowBounds() const {
    Bounds bounds = label_.GetBounds();
    if (!label_.AutoSize()) return bounds;
    auto screen = platform::win32::GetWindowDc(nullptr);
    if (!screen) return bounds;
    HDC dc = screen.Get().dc;
    SelectedObject font(dc, Context().Fonts().Get(label_.GetFont()));
    // An empty caption still has the height of one line, as a blank has.
    const std::string text =
        label_.Caption().empty() ? std::string(" ") : ToDrawTextLines(label_.Caption());
    RECT measured{0, 0, label_.WordWrap() ? bounds.width : 0, 0};
    ::DrawTextA(dc, text.c_str(), -1, &measured, TextFormat() | DT_CALCRECT);
    if (!label_.WordWrap()) bounds.width = label_.Caption().empty() ? 0 : measured.right;
    bounds.height = measured.bottom;
    return bounds;
}

void LabelPeer::ApplyBounds() {
    if (!label_.Transparent()) {
        ControlWindow::ApplyBounds();
        return;
    }
    // Moving a window carries its old pixels along; a transparent label's
    // pixels show what lay behind it at the old place, so it is drawn anew.
    // The place it leaves is drawn anew too, the picture below included:
    // Wine leaves slivers of the old letters on a sibling otherwise.
    HWND parent = ::GetParent(Handle());
    RECT old{};
    ::GetWindowRect(Handle(), &old);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&old), 2);
    const Bounds b = WindowBounds();
    ::SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    if (parent) ::RedrawWindow(parent, &old, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Repaint();
}

void LabelPeer::Apply(Property what) {
    if (what == Property::Caption || what == Property::Font) ApplyBounds();
}

void LabelPeer::Paint(HDC dc, const RECT& client) {
    if (label_.Transparent())
        PaintParentBackground(dc, label_, client);
    else
        FillSolid(dc, client, label_.GetColor());
    if (label_.Caption().empty()) return;
    SelectedObject font(dc, Context().Fonts().Get(label_.GetFont()));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(
        dc, label_.Enabled() ? ToColorRef(label_.GetFont().color) : ::GetSysColor(COLOR_GRAYTEXT));
    RECT box = client;
    const std::string text = ToDrawTextLines(label_.Caption());
    ::DrawTextA(dc, text.c_str(), -1, &box, TextFormat());
}

LRESULT LabelPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            tracking_ = true;
            ::SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP: {
            if (!tracking_) return 0;
            tracking_ = false;
            ::ReleaseCapture();
            RECT client;
            ::GetClientRect(Handle(), &client);
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (::PtInRect(&client, at)) label_.Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            tracking_ = false;
            return 0;
        case WM_SETCURSOR:
            // A link shows the hand over its text.
            if (label_.HandCursor() && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
            return ControlWindow::HandleMessage(message, wParam, lParam);
        default:
            return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace torvane::ui::win32
