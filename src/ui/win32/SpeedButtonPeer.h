#pragma once
#include "ui/LbSpeedButton.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// A bar button (TLbSpeedButton): paints exactly what ComputeButtonFace says
// and turns the left mouse button into MouseDown / MouseUp. Its class has no
// CS_DBLCLKS, so a double click arrives as a second press and release and
// clicks the button a second time.
class SpeedButtonPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneSpeedButton";

    SpeedButtonPeer(PeerContext& context, TLbSpeedButton& button);

protected:
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TLbSpeedButton& button_;
    bool tracking_ = false;  // pressed with the mouse, capture held
};

}  // namespace torvane::ui::win32
