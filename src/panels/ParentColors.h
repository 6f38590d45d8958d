#pragma once
#include "ui/Control.h"

namespace torvane {

// Labels, text boxes, check boxes, radio buttons and radio groups in the
// panels' layouts have no colour of their own: they show their parent's (a
// control's colour is the background its peer paints). Gives every such
// control below `parent` the colour its own parent has now. Run it again
// for controls made later (a radio group's buttons) or after a recolouring.
inline void UseParentColors(ui::Container& parent) {
    for (ui::Control* child : parent.Children()) {
        switch (child->Kind()) {
            case ui::ControlKind::Label:
            case ui::ControlKind::TextBox:
            case ui::ControlKind::CheckBox:
            case ui::ControlKind::RadioButton:
            case ui::ControlKind::GroupBox:
                child->SetColor(parent.GetColor());
                break;
            default:
                break;
        }
        if (ui::Container* container = child->AsContainer()) UseParentColors(*container);
    }
}

}  // namespace torvane
