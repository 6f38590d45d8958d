#include "panels/PNL_InstallToolbar.h"

#include "app/Appl_Globals.h"
#include "app/OpenAsUser.h"
#include "app/QvButtonBar.h"
#include "generated/BuildConfig.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"
#include "ui/TextFit.h"

namespace torvane {

TPNLInstallToolbar::TPNLInstallToolbar(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallToolbar", "Intergrate the Torvane Toolbar in your browser"),
      StaticText1(this, "StaticText1"),
      Image2(this, "Image2"),
      Image1(this, "Image1"),
      CheckBox1(this, "CheckBox1"),
      Label2(this, "Label2"),
      Label3(this, "Label3"),
      Label4(this, "Label4"),
      Label5(this, "Label5"),
      Label1(this, "Label1") {
    StaticText1.SetBounds(8, 8, 668, 17);
    StaticText1.SetCaption(
        "The Torvane toolbar allows you to search the web, connect to the Torvane community, get weather info, play games and much much more.");

    Image2.SetBounds(7, 28, 675, 56);
    ui::ShowPicture(Image2, ui::PictureId::ToolbarBanner);
    Image1.SetBounds(8, 84, 674, 24);
    ui::ShowPicture(Image1, ui::PictureId::ToolbarStrip);

    CheckBox1.SetBounds(16, 124, 161, 17);
    CheckBox1.SetCaption("Install the Torvane toolbar.");
    CheckBox1.SetChecked(true);

    Label2.SetBounds(36, 140, 78, 13);
    Label2.SetCaption("(Recommended)");

    // Label3, Label4 and Label5 read as one sentence over two lines; only
    // Label4's words are the link, which starts where Label3's text ends
    // (PlaceLinks).
    Label3.SetBounds(16, 164, 377, 13);
    Label3.SetCaption(
        "If you select to install the Torvane toolbar by clicking next, you agree to abide the ");

    Label4.SetBounds(393, 163, 86, 13);
    ui::Font link = Label4.GetFont();
    link.name = "MS Sans Serif";
    link.points = 8;
    link.color = ui::colors::Blue;
    link.underline = true;
    Label4.SetFont(link);
    Label4.SetHandCursor(true);
    Label4.SetCaption("license agreement");
    Label4.OnClick = [this] { Label4Click(); };

    Label5.SetBounds(18, 179, 438, 13);
    Label5.SetCaption(
        ", enable auto updates, enable search from address bar, and set the toolbar search as default.");

    Label1.SetBounds(12, 206, 466, 13);
    Label1.SetCaption(
        "Installation of this toolbar is optional. The toolbar can be deactivated and/or uninstalled at any time.");
    UseParentColors(*this);
}

void TPNLInstallToolbar::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPNLInstallToolbar::BeforeShow() {
    TFramePanel::BeforeShow();
    CheckBox1.SetChecked(InstallToolbar);
}

void TPNLInstallToolbar::PlaceLinks() { ui::PlaceAfter(Label3, Label4); }
void TPNLInstallToolbar::NextClick() {
    if (Nav().IsSliding()) return;
    InstallToolbar = CheckBox1.Checked();
    Nav().ShowPanel("PNLInstallGo", true);
}

void TPNLInstallToolbar::PreviousClick() { GoTo("PNLInstallChooseConnection"); }

// The page's path is "/eula/" on the provider's site (a build option names
// the whole address). Opened in the browser as the user.
void TPNLInstallToolbar::Label4Click() {
    OpenAsUser(Nav(), config::kToolbarLicenceUrl,
               std::string("The licence page was not opened, as it would have run with "
                           "administrator rights.\rPlease open ") +
                   config::kToolbarLicenceUrl + " in your browser.");
}

}  // namespace torvane
