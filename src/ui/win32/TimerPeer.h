#pragma once
#include "ui/Timer.h"
#include "ui/win32/PeerContext.h"
#include "ui/win32/Window.h"

namespace torvane::ui::win32 {

// A timer: a hidden message-only window with a SetTimer timer that runs while
// the control is enabled, at its interval; each WM_TIMER is one Tick().
// Changing the interval or enabling again starts the period anew.
class TimerPeer : public Window, public ControlPeer {
public:
    static constexpr const char* kClassName = "TorvaneTimer";
    static constexpr UINT_PTR kTimerId = 1;

    TimerPeer(PeerContext& context, Timer& timer);
    ~TimerPeer() override;

    void Changed(Property what) override;
    bool Running() const { return running_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Restart();

    Timer& timer_;
    bool running_ = false;
};

}  // namespace torvane::ui::win32
