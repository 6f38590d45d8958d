#pragma once
#include <functional>

#include "ui/Control.h"

namespace torvane::ui {

// A standard push button (the layouts' TButton). A click (mouse, space,
// Enter) runs OnClick.
class Button : public Control {
public:
    explicit Button(Container* parent, std::string name = {})
        : Control(parent, ControlKind::Button, std::move(name)) {}

    std::function<void()> OnClick;
    void Click() {
        if (OnClick) OnClick();
    }
};

}  // namespace torvane::ui
