#include "app/FramePanel.h"

#include "app/QvButtonBar.h"
#include "base/Exceptions.h"
#include "ui/TextFit.h"

namespace torvane {

TFramePanel::TFramePanel(Navigator& navigator, std::string name, std::string headerText)
    : TFramePanel(std::move(name), std::move(headerText)) {
    navigator_ = &navigator;
}

TFramePanel::TFramePanel(std::string name, std::string headerText)
    : ui::Panel(nullptr, std::move(name)), HeaderText(std::move(headerText)) {
    SetBevel(ui::Bevel::None);
    SetColor(ui::colors::SkyBlue);
    SetBounds(0, 0, kWidth, kHeight);
}

void TFramePanel::SetButtons(tQvButtonBar&) {}

void TFramePanel::FitTexts() {
    PlaceLinks();
    ui::FitTexts(*this);
}

Navigator& TFramePanel::Nav() const {
    if (!navigator_) throw Failure("panel " + Name() + " has no navigator before it is registered");
    return *navigator_;
}

void TFramePanel::ExitClick() {
    if (Nav().IsSliding()) return;
    Nav().Close();
}

bool TFramePanel::GoTo(const std::string& panel, const std::function<void()>& first) {
    if (Nav().IsSliding()) return false;
    if (first) first();
    Nav().ShowPanel(panel, true);
    return true;
}

}  // namespace torvane
