#include "ui/win32/ComboBoxPeer.h"

namespace torvane::ui::win32 {

ComboBoxPeer::ComboBoxPeer(PeerContext& context, ComboBox& combo)
    : NativeControlPeer(context, combo, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP),
      combo_(combo) {}

Bounds ComboBoxPeer::WindowBounds() const {
    Bounds bounds = combo_.GetBounds();
    bounds.height +=
        kVisibleItems * (combo_.GetBounds().height > 0 ? combo_.GetBounds().height - 5 : 16) + 2;
    return bounds;
}

void ComboBoxPeer::FillItems() {
    ::SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo_.Items())
        ::SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
}

void ComboBoxPeer::Apply(Property what) {
    NativeControlPeer::Apply(what);
    switch (what) {
        case Property::All:
        case Property::Items:
            FillItems();
            break;
        case Property::Selection:
            // -1 clears the selection.
            ::SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
            break;
        default:
            break;
    }
}

void ComboBoxPeer::Command(WORD code) {
    if (code != CBN_SELCHANGE) return;
    const int index = static_cast<int>(::SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    App().Dispatch([this, index] { combo_.UserSelected(index); });
}

}  // namespace torvane::ui::win32
