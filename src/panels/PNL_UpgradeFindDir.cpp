#include "panels/PNL_UpgradeFindDir.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "base/InstallLayout.h"
#include "lib/LIB_FindFiles.h"
#include "panels/ParentColors.h"
#include "panels/ProgressControls.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

const char* const TPnlUpgradeFindDir::kNothingFound =
    "No installed Torvane P2P versions could be found,\r"
    "or the found Torvane P2P versions are newer than\r"
    "the one in this installation. An upgrade is\r"
    "not possible.";

TPnlUpgradeFindDir::TPnlUpgradeFindDir(Navigator& navigator)
    : TFramePanel(navigator, "PnlUpgradeFindDir", "Searching Torvane P2P"),
      Image9(this, "Image9"),
      Label12(this, "Label12"),
      ProgressBar1(this, "ProgressBar1"),
      StaticText4(this, "StaticText4") {
    Image9.SetBounds(0, 8, 160, 202);
    ui::ShowPicture(Image9, ui::PictureId::Search);

    PlaceProgressControls(Label12, ProgressBar1);

    StaticText4.SetBounds(328, 272, 336, 82);
    StaticText4.SetCaption("Explanation");
    UseParentColors(*this);
}

bool TPnlUpgradeFindDir::ProgressHandler(std::uint8_t percent) {
    ProgressBar1.SetPosition(percent);
    Label12.SetCaption(std::to_string(percent) + "% complete");
    Nav().App().ProcessMessages();
    return false;
}

bool TPnlUpgradeFindDir::FileHandler(const std::string&) { return true; }

void TPnlUpgradeFindDir::AfterShow() {
    ProgressHandler(0);
    StaticText4.SetCaption(
        "Now searching for installed Torvane P2P versions on your hard disks.\r"
        "This can take a few moments.");

    platform::Platform& os = Nav().Platform();
    {
        const WorkInProgress searching(Nav());
        FoundInstallations = FindFiles(
            FindFilesServices{os.search, os.drives, os.files.LeadBytes()}, layout::kClient.name, 1,
            "", [this](std::uint8_t percent) { return ProgressHandler(percent); },
            [this](const std::string& path) { return FileHandler(path); }, 0);
    }

    if (!FoundInstallations->empty()) {
        ProgressHandler(0);
        Nav().ShowPanel("PnlUpgradeStart", true);
        return;
    }
    Nav().App().ShowMessage(kNothingFound);
    Nav().ShowPanel("PnlInstall", true);
}

}  // namespace torvane
