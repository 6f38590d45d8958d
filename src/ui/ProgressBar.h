#pragma once
#include "ui/Control.h"

namespace torvane::ui {

// A progress bar. The position always lies within Min..Max: a value outside
// is clamped, and readers take the position back from the bar.
class ProgressBar : public Control {
public:
    explicit ProgressBar(Container* parent, std::string name = {})
        : Control(parent, ControlKind::ProgressBar, std::move(name)) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    bool Smooth() const { return smooth_; }

    void SetMax(int max) {
        max_ = max;
        if (min_ > max_) min_ = max_;
        SetPosition(position_);
        Notify(Property::Position);
    }
    void SetPosition(int position) {
        if (position < min_) position = min_;
        if (position > max_) position = max_;
        if (position == position_) return;
        position_ = position;
        Notify(Property::Position);
    }
    void SetSmooth(bool smooth) {
        smooth_ = smooth;
        Notify(Property::Position);
    }

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool smooth_ = false;
};

}  // namespace torvane::ui
