#pragma once
#include "ui/ComboBox.h"
#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

// A COMBOBOX window in drop-down list style (a tab stop). The items and the
// selection follow the control; a pick the user makes comes back through
// ComboBox::UserSelected (CBN_SELCHANGE). The control's height is the height
// of the closed box: the window is made taller by the open list's height,
// as a drop-down combo box wants.
class ComboBoxPeer : public NativeControlPeer {
public:
    // Items the open list shows before it scrolls.
    static constexpr int kVisibleItems = 8;

    ComboBoxPeer(PeerContext& context, ComboBox& combo);

protected:
    Bounds WindowBounds() const override;
    void Apply(Property what) override;
    void Command(WORD code) override;

private:
    void FillItems();

    ComboBox& combo_;
};

}  // namespace torvane::ui::win32
