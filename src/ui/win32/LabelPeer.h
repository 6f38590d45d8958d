#pragma once
#include <string>

#include "ui/Label.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// Labels and text boxes: the caption drawn in the control's font and font
// colour, lines broken at each carriage return, "&" underlining the next
// letter. A transparent label shows what is behind it (its parent's colour and
// any picture below); an opaque one fills its own colour. An auto-sized label's
// window takes the size of its text (keeping its width when it word-wraps);
// the control's own bounds are left as the layout gave them. A label with
// HandCursor shows the hand cursor (IDC_HAND) over it; a click (press and
// release over it) runs Label::Click.
class LabelPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneLabel";

    LabelPeer(PeerContext& context, Label& label);

protected:
    Bounds WindowBounds() const override;
    void ApplyBounds() override;
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UINT TextFormat() const;

    Label& label_;
    bool tracking_ = false;  // the left button went down on the label
};

}  // namespace torvane::ui::win32
