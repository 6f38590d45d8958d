#include "panels/FinishedPanel.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/StartClient.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

TFinishedPanel::TFinishedPanel(Navigator& navigator, std::string name, std::string headerText,
                               const Texts& texts)
    : TFramePanel(navigator, std::move(name), std::move(headerText)),
      Label9(this, "Label9"),
      Panel45(this, "Panel45"),
      Label11(&Panel45, "Label11") {
    const ui::Bounds& m = texts.messageAt;
    Label9.SetBounds(m.left, m.top, m.width, m.height);
    Label9.SetCaption(texts.message);
    ui::Font bold = Label9.GetFont();
    bold.pixels = 11;
    bold.bold = true;
    bold.color = ui::colors::Black;  // the window text colour
    Label9.SetFont(bold);

    Panel45.SetBounds(-1, 56, 466, 257);
    Panel45.SetBevel(ui::Bevel::None);
    Panel45.SetColor(ui::colors::SkyBlue);

    const ui::Bounds& g = texts.greetingAt;
    Label11.SetBounds(g.left, g.top, g.width, g.height);
    Label11.SetCaption(texts.greeting);
    ui::Font large = Label11.GetFont();
    large.pixels = 19;
    large.italic = true;
    large.color = ui::colors::White;
    Label11.SetFont(large);
}

void TFinishedPanel::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Start Torvane P2P", 2, 2, [this](ui::Control&) { StartClick(); });
}

void TFinishedPanel::StartClick() {
    if (Nav().IsSliding()) return;
    if (StartInstalledClient(Nav().Platform().processes, InstallDir) ==
        platform::StartResult::WouldBeElevated)
        Nav().App().ShowMessage(kClientNotStarted);
    Nav().Close();
}

}  // namespace torvane
