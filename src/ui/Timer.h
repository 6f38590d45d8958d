#pragma once
#include <functional>

#include "ui/Control.h"

namespace torvane::ui {

// A window-less timer. Its peer arranges the ticks; headless tests call
// Tick() themselves.
class Timer : public Control {
public:
    explicit Timer(Container* parent, std::string name = {})
        : Control(parent, ControlKind::Timer, std::move(name)) {
        SetVisible(false);
    }

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds) {
        interval_ = milliseconds;
        Notify(Property::Interval);
    }

    std::function<void()> OnTimer;
    // One tick: runs OnTimer when enabled.
    void Tick() {
        if (Enabled() && OnTimer) OnTimer();
    }

private:
    unsigned interval_ = 1000;
};

}  // namespace torvane::ui
