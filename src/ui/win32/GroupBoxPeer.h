#pragma once
#include "ui/RadioGroup.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// A radio group: a container window (the radio buttons are its children)
// filled with the group's colour, with an etched frame whose top edge runs
// through the middle of the caption, as a group box draws it.
//
// It draws the frame itself rather than holding a BS_GROUPBOX button: that
// class has CS_PARENTDC and never paints its inside, so it cannot be the
// parent of the buttons, and as a sibling behind them it would cover the
// container's own painting (WS_CLIPCHILDREN) and leave its inside unpainted.
class GroupBoxPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneGroupBox";

    GroupBoxPeer(PeerContext& context, RadioGroup& group);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    RadioGroup& group_;
};

}  // namespace torvane::ui::win32
