#include "ui/win32/CheckBoxPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

namespace {
void ShowCheck(HWND window, bool checked) {
    ::SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
}  // namespace

CheckBoxPeer::CheckBoxPeer(PeerContext& context, CheckBox& box)
    : NativeControlPeer(context, box, "BUTTON", BS_CHECKBOX | WS_TABSTOP), box_(box) {}

void CheckBoxPeer::Apply(Property what) {
    NativeControlPeer::Apply(what);
    if (what == Property::All || what == Property::Font || what == Property::Caption || what == Property::Bounds)
        ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Context().Fonts().Get(FittingFont())), TRUE);
    if (what == Property::All || what == Property::Checked) ShowCheck(Handle(), box_.Checked());
}

Font CheckBoxPeer::FittingFont() {
    // A check box's caption is one line: what does not fit is cut off. The
    // user must be able to read what a box agrees to, so a caption too long
    // for its box is drawn smaller, down to the usual dialog size at most.
    constexpr int kSmallestPixels = 11;
    Font font = box_.GetFont();
    auto screen = platform::win32::GetWindowDc(nullptr);
    if (!screen || box_.Caption().empty()) return font;
    HDC dc = screen.Get().dc;
    const int room = box_.Width() - ::GetSystemMetrics(SM_CXMENUCHECK) - ::GetSystemMetrics(SM_CXEDGE) * 2;
    int pixels = -Context().Fonts().HeightOf(font);
    for (;;) {
        SelectedObject selected(dc, Context().Fonts().Get(font));
        RECT measured{0, 0, 0, 0};
        ::DrawTextA(dc, box_.Caption().c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        if (measured.right <= room || pixels <= kSmallestPixels) return font;
        font.pixels = --pixels;
    }
}

void CheckBoxPeer::Command(WORD code) {
    if (code == BN_CLICKED) App().Dispatch([this] { box_.Click(); });
}

RadioButtonPeer::RadioButtonPeer(PeerContext& context, RadioButton& button)
    : NativeControlPeer(context, button, "BUTTON", BS_RADIOBUTTON | WS_TABSTOP), button_(button) {}

void RadioButtonPeer::Apply(Property what) {
    NativeControlPeer::Apply(what);
    if (what == Property::All || what == Property::Checked) ShowCheck(Handle(), button_.Checked());
}

void RadioButtonPeer::Command(WORD code) {
    if (code == BN_CLICKED) App().Dispatch([this] { button_.Click(); });
}

}  // namespace torvane::ui::win32
