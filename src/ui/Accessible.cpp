#include "ui/Accessible.h"

#include "ui/FolderTree.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/LbSpeedButton.h"
#include "ui/ProgressBar.h"

namespace torvane::ui {

namespace {

std::string Percent(const ProgressBar& bar) {
    const long long range = static_cast<long long>(bar.Max()) - bar.Min();
    const long long done = static_cast<long long>(bar.Position()) - bar.Min();
    const long long percent = range > 0 ? (done * 100 + range / 2) / range : 0;
    return std::to_string(percent) + "%";
}

}  // namespace

AccessibleInfo Describe(const Control& control) {
    AccessibleInfo info;
    switch (control.Kind()) {
        case ControlKind::SpeedButton:
            info.role = AccessibleRole::PushButton;
            info.name = DisplayCaption(control.Caption());
            info.defaultAction = "Press";
            break;
        case ControlKind::Label:
        case ControlKind::TextBox: {
            const auto& label = static_cast<const Label&>(control);
            info.name = DisplayCaption(label.Caption());
            if (label.OnClick && label.HandCursor()) {
                info.role = AccessibleRole::Link;
                info.defaultAction = "Jump";
            } else {
                info.role = AccessibleRole::StaticText;
            }
            break;
        }
        case ControlKind::Image: {
            const auto& image = static_cast<const Image&>(control);
            info.role = AccessibleRole::Graphic;
            info.name = image.Description;
            info.hidden = image.Description.empty();
            break;
        }
        case ControlKind::ProgressBar:
            info.role = AccessibleRole::ProgressBar;
            info.value = Percent(static_cast<const ProgressBar&>(control));
            break;
        case ControlKind::Panel:
        case ControlKind::Page:
        case ControlKind::ButtonBar:
        case ControlKind::PageControl: {
            // A panel that only shows a caption (the header) reads as that text.
            const Container* container = control.AsContainer();
            const bool empty = !container || container->Children().empty();
            info.role = empty && !control.Caption().empty() ? AccessibleRole::StaticText
                                                            : AccessibleRole::Pane;
            info.name = DisplayCaption(control.Caption());
            break;
        }
        case ControlKind::GroupBox:
            info.role = AccessibleRole::Grouping;
            info.name = DisplayCaption(control.Caption());
            break;
        case ControlKind::FolderTree: {
            const auto& tree = static_cast<const FolderTree&>(control);
            info.role = AccessibleRole::Outline;
            info.name = tree.Hint;
            info.value = tree.SelectedPath();
            break;
        }
        default:
            break;
    }
    return info;
}

bool DoDefaultAction(Control& control) {
    switch (control.Kind()) {
        case ControlKind::SpeedButton:
            if (!control.Enabled()) return false;
            static_cast<TLbSpeedButton&>(control).PressByAccelerator();
            return true;
        case ControlKind::Label:
        case ControlKind::TextBox: {
            auto& label = static_cast<Label&>(control);
            if (Describe(label).role != AccessibleRole::Link) return false;
            label.Click();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace torvane::ui
