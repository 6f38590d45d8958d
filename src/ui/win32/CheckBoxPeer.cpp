#include "ui/win32/CheckBoxPeer.h"

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
    if (what == Property::All || what == Property::Checked) ShowCheck(Handle(), box_.Checked());
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
