#pragma once
#include "ui/Button.h"
#include "ui/win32/NativeControlPeer.h"

namespace torvane::ui::win32 {

// Push buttons: BUTTON windows of the plain push style; a click (mouse,
// space) runs the control's Click through the failure handler. Tab stop.
class ButtonPeer : public NativeControlPeer {
public:
    ButtonPeer(PeerContext& context, Button& button);

protected:
    void Command(WORD code) override;

private:
    Button& button_;
};

}  // namespace torvane::ui::win32
