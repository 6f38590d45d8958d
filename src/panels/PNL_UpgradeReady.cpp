#include "panels/PNL_UpgradeReady.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/ParentColors.h"
#include "panels/StartClient.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLUpgradeReady::TPNLUpgradeReady(Navigator& navigator)
    : TFramePanel(navigator, "PNLUpgradeReady", "Upgrade of Torvane P2P ready"),
      Label9(this, "Label9"),
      Image8(this, "Image8"),
      Panel45(this, "Panel45"),
      Label11(&Panel45, "Label11") {
    Label9.SetBounds(8, 24, 277, 13);
    Label9.SetCaption("The upgrade of Torvane is completed succesfully.");
    ui::Font bold = Label9.GetFont();
    bold.pixels = 11;
    bold.bold = true;
    bold.color = ui::colors::Black;  // the window text colour
    Label9.SetFont(bold);

    Image8.SetBounds(16, 56, 383, 302);
    Image8.SetPicture(ui::LoadPicture(ui::PictureId::Upgraded));

    Panel45.SetBounds(-1, 56, 466, 257);
    Panel45.SetBevel(ui::Bevel::None);
    Panel45.SetColor(ui::colors::SkyBlue);

    Label11.SetBounds(216, 225, 168, 24);
    Label11.SetCaption("Enjoy your Torvane!");
    ui::Font large = Label11.GetFont();
    large.pixels = 19;
    large.italic = true;
    large.color = ui::colors::White;
    Label11.SetFont(large);
    UseParentColors(*this);
}

void TPNLUpgradeReady::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Start Torvane P2P", 2, 2, [this](ui::Control&) { StartClick(); });
}

void TPNLUpgradeReady::StartClick() {
    if (Nav().IsSliding()) return;
    StartInstalledClient(Nav().Platform().processes, InstallDir);
    Nav().Close();
}

}  // namespace torvane
