#include "panels/PNL_InstallGo.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLInstallGo::TPNLInstallGo(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallGo", "Ready to install"),
      Image7(this, "Image7"),
      Label1(this, "Label1"),
      Label2(this, "Label2"),
      Label6(this, "Label6"),
      Label7(this, "Label7"),
      Label9(this, "Label9") {
    Image7.SetBounds(8, 8, 193, 164);
    Image7.SetStretch(true);
    ui::ShowPicture(Image7, ui::PictureId::ReadyToInstall);
    Label1.SetBounds(208, 16, 0, 0);
    Label1.SetCaption("All questions are answered.");
    Label2.SetBounds(208, 32, 0, 0);
    Label2.SetCaption("Click the button \"Install Now\" and the installation will begin.");
    Label6.SetBounds(228, 55, 0, 0);
    Label7.SetBounds(228, 76, 0, 0);
    Label9.SetBounds(228, 98, 0, 0);
    UseParentColors(*this);
}

void TPNLInstallGo::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Install Now", 2, 2, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPNLInstallGo::BeforeShow() {
    // The folders end with a backslash once their panels confirmed them.
    Label6.SetCaption("Installation folder = " + InstallDir);
    Label7.SetCaption("Download folder = " + DownloadDir);
    Label9.SetCaption(std::string("Create shortcut on desktop = ") +
                      (DesktopShortcut ? "Yes" : "No"));
}

// The installing panel starts the installation once it is in view; there is
// no way back here from it.
void TPNLInstallGo::NextClick() { GoTo("PNLInstallInstalling"); }

void TPNLInstallGo::PreviousClick() { GoTo("PnlInstallToolbar"); }

}  // namespace torvane
