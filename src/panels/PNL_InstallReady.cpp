#include "panels/PNL_InstallReady.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/ParentColors.h"
#include "panels/StartClient.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLInstallReady::TPNLInstallReady(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallReady", "Installation of Torvane P2P ready"),
      Label9(this, "Label9"),
      Panel45(this, "Panel45"),
      Label11(&Panel45, "Label11"),
      Image1(&Panel45, "Image1") {
    Label9.SetBounds(16, 24, 0, 0);
    Label9.SetCaption("The installation of Torvane P2P is completed successfully.");
    ui::Font bold = Label9.GetFont();
    bold.pixels = 11;
    bold.bold = true;
    bold.color = ui::colors::Black;  // the window text colour
    Label9.SetFont(bold);

    Panel45.SetBounds(-1, 56, 466, 257);
    Panel45.SetBevel(ui::Bevel::None);
    Panel45.SetColor(ui::colors::SkyBlue);

    Label11.SetBounds(216, 225, 0, 0);
    Label11.SetCaption("Enjoy your Torvane P2P!");
    ui::Font large = Label11.GetFont();
    large.pixels = 19;
    large.italic = true;
    large.color = ui::colors::White;
    Label11.SetFont(large);

    Image1.SetBounds(16, 0, 209, 209);
    Image1.SetTransparent(true);
    Image1.SetPicture(ui::LoadPicture(ui::PictureId::Finished));
    UseParentColors(*this);
}

void TPNLInstallReady::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Start Torvane P2P", 2, 2, [this](ui::Control&) { StartClick(); });
}

void TPNLInstallReady::StartClick() {
    if (Nav().IsSliding()) return;
    StartInstalledClient(Nav().Platform().processes, InstallDir);
    Nav().Close();
}

}  // namespace torvane
