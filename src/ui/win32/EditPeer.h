#pragma once
#include "ui/Edit.h"
#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

// A one-line EDIT window (sunken, scrolling sideways, a tab stop). What the
// user types reaches the control: each character first goes to
// Edit::KeyPress, and the window inserts the character it returns (none for
// 0); the new text then comes back through Edit::UserTyped (EN_CHANGE).
// Losing the focus runs Edit::Exit. Enter is a character too: the window asks
// the dialog manager for it, so it reaches KeyPress as 13 instead of being
// taken as the dialog's default button; a one-line box never inserts it.
class EditPeer : public NativeControlPeer {
public:
    EditPeer(PeerContext& context, Edit& edit);

protected:
    void Command(WORD code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Edit& edit_;
};

}  // namespace torvane::ui::win32
