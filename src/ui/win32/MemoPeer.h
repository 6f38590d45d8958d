#pragma once
#include "ui/Memo.h"
#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

// A multi-line EDIT window with a vertical scroll bar, showing the memo's
// lines joined with CR LF and wrapped at its width. Read-only ones can be
// scrolled and selected from, not edited; Tab leaves them (a multi-line box
// would otherwise keep it). ScrollToTop puts the caret at the start and
// scrolls there.
class MemoPeer : public NativeControlPeer {
public:
    MemoPeer(PeerContext& context, Memo& memo);

protected:
    std::string WindowText() const override;
    void Apply(Property what) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Memo& memo_;
};

}  // namespace torvane::ui::win32
