#pragma once
#include "ui/CheckBox.h"
#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

// Check boxes and radio buttons: BUTTON windows of the plain styles
// (BS_CHECKBOX, BS_RADIOBUTTON), not the AUTO ones, because the portable
// control owns the state: a click (mouse, space, or its Alt+letter, which
// IsDialogMessage turns into BM_CLICK) runs Click() and the window shows what
// Checked() then says. Tab stops, in creation order.
class CheckBoxPeer : public NativeControlPeer {
public:
    CheckBoxPeer(PeerContext& context, CheckBox& box);

protected:
    void Apply(Property what) override;
    void Command(WORD code) override;

private:
    CheckBox& box_;
};

class RadioButtonPeer : public NativeControlPeer {
public:
    RadioButtonPeer(PeerContext& context, RadioButton& button);

protected:
    void Apply(Property what) override;
    void Command(WORD code) override;

private:
    RadioButton& button_;
};

}  // namespace torvane::ui::win32
