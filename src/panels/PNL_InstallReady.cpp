#include "panels/PNL_InstallReady.h"

#include "panels/ParentColors.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLInstallReady::TPNLInstallReady(Navigator& navigator)
    : TFinishedPanel(navigator, "PNLInstallReady", "Installation of Torvane P2P ready",
                     {"The installation of Torvane P2P is completed successfully.",
                      {16, 24, 0, 0},
                      "Enjoy your Torvane P2P!",
                      {216, 225, 0, 0}}),
      Image1(&Panel45, "Image1") {
    Image1.SetBounds(16, 0, 209, 209);
    Image1.SetTransparent(true);
    ui::ShowPicture(Image1, ui::PictureId::Finished);
    Image1.Description = "Installation completed";
    UseParentColors(*this);
}

}  // namespace torvane
