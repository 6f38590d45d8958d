#include "ui/win32/TimerPeer.h"

namespace torvane::ui::win32 {

TimerPeer::TimerPeer(PeerContext& context, Timer& timer) : Window(context.App()), timer_(timer) {
    RegisterClassOnce(kClassName, 0);
    Create(kClassName, 0, 0, timer.Name().c_str(), 0, 0, 0, 0, HWND_MESSAGE);
}

TimerPeer::~TimerPeer() {
    if (Handle() && running_) ::KillTimer(Handle(), kTimerId);
}

void TimerPeer::Changed(Property what) {
    if (what == Property::All || what == Property::Enabled || what == Property::Interval) Restart();
}

void TimerPeer::Restart() {
    if (!Handle()) return;
    if (running_) ::KillTimer(Handle(), kTimerId);
    running_ = false;
    if (timer_.Enabled() && timer_.Interval() > 0)
        running_ = ::SetTimer(Handle(), kTimerId, timer_.Interval(), nullptr) != 0;
}

LRESULT TimerPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        timer_.Tick();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace torvane::ui::win32
