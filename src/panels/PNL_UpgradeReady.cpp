#include "panels/PNL_UpgradeReady.h"

#include "panels/ParentColors.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLUpgradeReady::TPNLUpgradeReady(Navigator& navigator)
    : TFinishedPanel(navigator, "PNLUpgradeReady", "Upgrade of Torvane P2P ready",
                     {"The upgrade of Torvane is completed succesfully.",
                      {8, 24, 277, 13},
                      "Enjoy your Torvane!",
                      {216, 225, 168, 24}}),
      Image8(this, "Image8") {
    Image8.SetBounds(16, 56, 383, 302);
    ui::ShowPicture(Image8, ui::PictureId::Upgraded);
    Image8.Description = "Upgrade completed";
    // The picture lies below Panel45, which the base made first: the panel
    // goes back on top, as the last child of the page.
    Panel45.SetParent(nullptr);
    Panel45.SetParent(this);
    UseParentColors(*this);
}

}  // namespace torvane
