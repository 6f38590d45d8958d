#pragma once
#include "ui/Application.h"
#include "ui/win32/ControlWindow.h"
#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

// Base of the peers that are standard Windows controls (BUTTON, EDIT; both
// in user32, so no common-controls library is needed). The window is made
// from the system class and subclassed: its messages pass through
// HandleMessage before the class's own procedure, which paints it. The
// control's font is given to the window; its colour is the background, which
// the parent's peer asks for through ControlColor (WM_CTLCOLOR...), and the
// text is drawn in the font's colour. The parent's peer also passes on the
// control's notifications (Command).
class NativeControlPeer : public ControlWindow {
protected:
    NativeControlPeer(PeerContext& context, Control& control, const char* systemClass, DWORD style,
                      DWORD exStyle = 0);

    void Apply(Property what) override;
    HBRUSH ControlColor(HDC dc) override;
    // The class's own painting, into `dc` (WM_PRINTCLIENT).
    void Paint(HDC dc, const RECT& client) override;
    // Everything goes to the class's procedure unless a peer says otherwise;
    // none of ControlWindow's own painting applies.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UniqueBrush brush_;
    Color brushColor_;
};

}  // namespace torvane::ui::win32
