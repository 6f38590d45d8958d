#include "ui/win32/Win32PeerFactory.h"

#include "ui/win32/ButtonPeer.h"
#include "ui/win32/CheckBoxPeer.h"
#include "ui/win32/ComboBoxPeer.h"
#include "ui/win32/EditPeer.h"
#include "ui/win32/FolderTreePeer.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/GroupBoxPeer.h"
#include "ui/win32/ImagePeer.h"
#include "ui/win32/LabelPeer.h"
#include "ui/win32/MemoPeer.h"
#include "ui/win32/PageControlPeer.h"
#include "ui/win32/PanelPeer.h"
#include "ui/win32/ProgressBarPeer.h"
#include "ui/win32/SpeedButtonPeer.h"
#include "ui/win32/TimerPeer.h"

namespace torvane::ui::win32 {

std::unique_ptr<ControlPeer> Win32PeerFactory::CreatePeer(Control& control) {
    switch (control.Kind()) {
        case ControlKind::Form:
            return std::make_unique<FormPeer>(context_, static_cast<Form&>(control));
        case ControlKind::Panel:
        case ControlKind::Page:
        case ControlKind::ButtonBar:
            // The button bar (tQvButtonBar) is a bevel-less Panel.
            return std::make_unique<PanelPeer>(context_, static_cast<Panel&>(control));
        case ControlKind::PageControl:
            return std::make_unique<PageControlPeer>(context_, static_cast<PageControl&>(control));
        case ControlKind::Label:
        case ControlKind::TextBox:
            return std::make_unique<LabelPeer>(context_, static_cast<Label&>(control));
        case ControlKind::Image:
            return std::make_unique<ImagePeer>(context_, static_cast<Image&>(control));
        case ControlKind::Timer:
            return std::make_unique<TimerPeer>(context_, static_cast<Timer&>(control));
        case ControlKind::SpeedButton:
            return std::make_unique<SpeedButtonPeer>(context_,
                                                     static_cast<TLbSpeedButton&>(control));
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBarPeer>(context_, static_cast<ProgressBar&>(control));
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxPeer>(context_, static_cast<CheckBox&>(control));
        case ControlKind::RadioButton:
            return std::make_unique<RadioButtonPeer>(context_, static_cast<RadioButton&>(control));
        case ControlKind::GroupBox:
            return std::make_unique<GroupBoxPeer>(context_, static_cast<RadioGroup&>(control));
        case ControlKind::Edit:
            return std::make_unique<EditPeer>(context_, static_cast<Edit&>(control));
        case ControlKind::Memo:
            return std::make_unique<MemoPeer>(context_, static_cast<Memo&>(control));
        case ControlKind::Button:
            return std::make_unique<ButtonPeer>(context_, static_cast<Button&>(control));
        case ControlKind::FolderTree:
            return std::make_unique<FolderTreePeer>(context_, static_cast<FolderTree&>(control));
        case ControlKind::ComboBox:
            return std::make_unique<ComboBoxPeer>(context_, static_cast<ComboBox&>(control));
    }
    return nullptr;
}

}  // namespace torvane::ui::win32
