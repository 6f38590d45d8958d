#pragma once
#include <functional>

#include "ui/Control.h"

namespace torvane::ui {

// A check box. A click (mouse, space or its Alt accelerator) toggles it and
// then runs OnClick.
class CheckBox : public Control {
public:
    explicit CheckBox(Container* parent, std::string name = {})
        : Control(parent, ControlKind::CheckBox, std::move(name)) {}

    bool Checked() const { return checked_; }
    void SetChecked(bool checked) {
        if (checked == checked_) return;
        checked_ = checked;
        Notify(Property::Checked);
    }

    std::function<void()> OnClick;
    void Click() {
        SetChecked(!checked_);
        if (OnClick) OnClick();
    }

private:
    bool checked_ = false;
};

// A radio button. A click checks it (it never clears itself) and runs
// OnClick; keeping the others of a group clear is the owner's business, as
// the panels' handlers do it.
class RadioButton : public Control {
public:
    explicit RadioButton(Container* parent, std::string name = {})
        : Control(parent, ControlKind::RadioButton, std::move(name)) {}

    bool Checked() const { return checked_; }
    void SetChecked(bool checked) {
        if (checked == checked_) return;
        checked_ = checked;
        Notify(Property::Checked);
    }

    std::function<void()> OnClick;
    void Click() {
        SetChecked(true);
        if (OnClick) OnClick();
    }

private:
    bool checked_ = false;
};

}  // namespace torvane::ui
