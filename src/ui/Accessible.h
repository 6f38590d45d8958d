#pragma once
#include <string>

#include "ui/Control.h"

namespace torvane::ui {

// What a screen reader is told about a control: the same for every kind of
// window the control layer makes, so that one accessible object in the
// Win32 layer serves them all.
enum class AccessibleRole {
    Default,  // the window system's own answer (the standard controls have theirs)
    PushButton,
    StaticText,
    Link,
    Graphic,
    ProgressBar,
    Pane,
    Grouping,
    Outline,
};

struct AccessibleInfo {
    AccessibleRole role = AccessibleRole::Default;
    std::string name;           // what is read out: a caption without its "&"
    std::string value;          // a progress bar's percentage, a tree's chosen folder
    std::string defaultAction;  // "Press", "Jump"; empty when there is none
    bool hidden = false;        // purely decorative: left out of what is read
};

// How `control` presents itself. Bar buttons are push buttons named by their
// caption with the default action "Press"; labels are static text (a link
// label is a link, "Jump"); pictures are graphics named by what they show,
// or hidden when they only decorate; progress bars give their percentage.
AccessibleInfo Describe(const Control& control);

// Runs the control's default action as the user's click would; false when
// it has none.
bool DoDefaultAction(Control& control);

}  // namespace torvane::ui
