#include "app/FramePanel.h"

#include "app/QvButtonBar.h"

namespace torvane {

TFramePanel::TFramePanel(std::string name, std::string headerText)
    : ui::Panel(nullptr, std::move(name)), HeaderText(std::move(headerText)) {
    SetBevel(ui::Bevel::None);
    SetColor(ui::colors::SkyBlue);
    SetBounds(0, 0, kWidth, kHeight);
}

void TFramePanel::SetButtons(tQvButtonBar&) {}

}  // namespace torvane
