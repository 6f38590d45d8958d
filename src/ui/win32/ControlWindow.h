#pragma once
#include <memory>
#include <string>

#include "ui/Control.h"
#include "ui/win32/AccessibleObject.h"
#include "ui/win32/PeerContext.h"
#include "ui/win32/Window.h"

namespace torvane::ui::win32 {

// Base of the peers that are windows: a child window mirroring one control.
// It keeps the window's place, size, visibility, enabled state and text in
// step with the control and paints through Paint(), always into an off-screen
// buffer first (no flicker while panels slide).
//
// Z-order: children are stacked in creation order, the first on top (Windows'
// own order, which is also the dialog tab order), except images, which go
// below their non-image siblings so that labels drawn over a picture stay
// visible; among themselves images keep the later one on top.
class ControlWindow : public Window, public ControlPeer {
public:
    ~ControlWindow() override;

    void Changed(Property what) override;
    bool IsWindow() const override { return true; }
    Control& Subject() const { return control_; }

    // The peer of a control when it is a window, or nullptr (not realized,
    // or a peer without a window such as a timer's).
    static ControlWindow* WindowPeerOf(const Control* control);
    // The peer window of a control, or nullptr (not realized, no window).
    static HWND WindowOf(const Control* control);

    // Paints what shows through behind `control` within `area` (its client
    // coordinates): its parent's colour, then the pictures of the sibling
    // images stacked below it. Transparent labels and images and the corners
    // of the rounded bar buttons start from this.
    static void PaintParentBackground(HDC dc, const Control& control, const RECT& area);

    // Draws what this peer shows to the controls in front of it, with its top
    // left corner at (left, top). Only image peers show anything: the others
    // are opaque windows that nothing is drawn through.
    virtual void PaintBehind(HDC /*dc*/, int /*left*/, int /*top*/) {}

protected:
    ControlWindow(PeerContext& context, Control& control);

    // Creates the child window under the parent control's window, hidden;
    // Changed(Property::All) then places and shows it.
    void CreateChild(const char* className, DWORD style = 0, DWORD exStyle = 0);

    // Where the window goes, in its parent's client coordinates. Labels that
    // size themselves to their caption override it.
    virtual Bounds WindowBounds() const { return control_.GetBounds(); }
    virtual void ApplyBounds();
    virtual void ApplyVisible();
    // Anything else a peer mirrors, after the shared handling of `what`.
    virtual void Apply(Property /*what*/) {}
    // The window's text: the caption (a memo shows its lines instead).
    virtual std::string WindowText() const { return control_.Caption(); }

    // For peers that are standard controls, which talk to their parent
    // window: the parent's peer passes on a notification (WM_COMMAND) and
    // asks for the background brush (WM_CTLCOLOR...), with the text colours
    // to be set in `dc`; nullptr leaves the system's colours.
    virtual void Command(WORD /*code*/) {}
    virtual HBRUSH ControlColor(HDC /*dc*/) { return nullptr; }

    // Paints the whole client area into `dc`.
    virtual void Paint(HDC dc, const RECT& client) = 0;

    // Asks for a repaint; `now` paints before returning.
    void Repaint(bool now = false);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    PeerContext& Context() const { return context_; }

private:
    void PlaceInZOrder();
    // The peer of this control's child whose window is `child`, or nullptr.
    ControlWindow* ChildPeer(HWND child) const;

    PeerContext& context_;
    Control& control_;
    // Made when a screen reader first asks; cut when the window goes.
    std::shared_ptr<AccessibleLink> accessible_;
};

}  // namespace torvane::ui::win32
