#include "panels/PNL_Install.h"

#include <string>

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

namespace {
constexpr int kLabel18Left = 227;
void MakeBold(ui::Label& label) {
    ui::Font font = label.GetFont();
    font.bold = true;
    label.SetFont(font);
}
}  // namespace

TPnlInstall::TPnlInstall(Navigator& navigator)
    : TFramePanel(navigator, "PnlInstall", "Install or upgrade?"),
      Panel44(this, "Panel44"),
      Image4(&Panel44, "Image4"),
      Label2(&Panel44, "Label2"),
      Label5(&Panel44, "Label5"),
      Label14(&Panel44, "Label14"),
      Label18(&Panel44, "Label18"),
      RadioButton1(this, "RadioButton1"),
      RadioButton2(this, "RadioButton2"),
      CheckBox1(this, "CheckBox1"),
      StaticText1(this, "StaticText1"),
      Label4a(this, "Label4a"),
      Label1(this, "Label1"),
      Label3(this, "Label3") {
    Panel44.SetBounds(8, 8, 345, 281);
    Panel44.SetBevel(ui::Bevel::Raised);
    Panel44.SetColor(ui::colors::White);

    Image4.SetBounds(8, 8, 225, 193);
    ui::ShowPicture(Image4, ui::PictureId::InstallChoice);

    Label2.SetBounds(8, 208, 0, 0);
    Label2.SetCaption("We did a lot to make sure installation of Torvane P2P will work smoothly.");
    Label5.SetBounds(9, 228, 0, 0);
    Label5.SetCaption("In case you might experience problems please let us know");
    // The e-mail link follows it on the same line (PlaceLinks).
    Label14.SetBounds(8, 248, 0, 0);
    Label14.SetCaption("so we can help you out. You can reach us at :");

    Label18.SetBounds(kLabel18Left, 248, 0, 0);
    ui::Font link = Label18.GetFont();
    link.color = ui::colors::Blue;
    link.underline = true;
    Label18.SetFont(link);
    Label18.SetHandCursor(true);
    Label18.SetCaption(config::kSupportEmail);
    Label18.OnClick = [this] { Label18Click(); };

    Label4a.SetBounds(372, 17, 0, 0);
    MakeBold(Label4a);
    Label4a.SetCaption("What do you want to do?");

    RadioButton1.SetBounds(389, 41, 252, 17);
    RadioButton1.SetCaption("&Install Torvane P2P on this computer");
    RadioButton1.SetChecked(true);
    RadioButton1.OnClick = [this] { RadioButton1Click(); };

    RadioButton2.SetBounds(389, 69, 177, 17);
    RadioButton2.SetCaption("&Upgrade an existing installation");
    RadioButton2.OnClick = [this] { RadioButton2Click(); };

    Label1.SetBounds(372, 133, 0, 0);
    MakeBold(Label1);
    Label1.SetCaption("Shortcut");

    CheckBox1.SetBounds(394, 153, 191, 17);
    CheckBox1.SetCaption("&Create a shortcut on the desktop");
    CheckBox1.SetChecked(true);

    Label3.SetBounds(375, 192, 0, 0);
    MakeBold(Label3);
    Label3.SetCaption("Directory");

    StaticText1.SetBounds(392, 211, 185, 30);
    StaticText1.SetCaption(
        "In the next step you'll be asked to choose the installation directory. ");
    UseParentColors(*this);
}

void TPnlInstall::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

// The address keeps its layout place unless the text before it is wider.
void TPnlInstall::PlaceLinks() { ui::PlaceAfterAtLeast(Label14, Label18, kLabel18Left); }
void TPnlInstall::NextClick() {
    if (Nav().IsSliding()) return;
    UpgradeChosen = RadioButton2.Checked();
    DesktopShortcut = CheckBox1.Checked();
    Nav().ShowPanel(UpgradeChosen ? "PnlUpgradeFindDir" : "PnlInstallChooseDir", true);
}

void TPnlInstall::PreviousClick() { GoTo("PnlDisclaimer"); }

// The two buttons are each other's opposite; the framework does not group them.
void TPnlInstall::RadioButton1Click() { RadioButton2.SetChecked(!RadioButton1.Checked()); }

void TPnlInstall::RadioButton2Click() { RadioButton1.SetChecked(!RadioButton2.Checked()); }

void TPnlInstall::Label18Click() { MailSupportAsUser(Nav(), config::kSupportEmail); }

}  // namespace torvane
