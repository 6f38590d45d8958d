#include "ui/win32/ButtonPeer.h"

namespace torvane::ui::win32 {

ButtonPeer::ButtonPeer(PeerContext& context, Button& button)
    : NativeControlPeer(context, button, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP), button_(button) {}

void ButtonPeer::Command(WORD code) {
    if (code == BN_CLICKED) App().Dispatch([this] { button_.Click(); });
}

}  // namespace torvane::ui::win32
