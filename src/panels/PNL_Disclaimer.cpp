#include "panels/PNL_Disclaimer.h"

#include "app/QvButtonBar.h"
#include "panels/LicenceText.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

namespace {
void SetPixelHeight(ui::Control& control, int pixels) {
    ui::Font font = control.GetFont();
    font.pixels = pixels;
    control.SetFont(font);
}
}  // namespace

TPnlDisclaimer::TPnlDisclaimer(Navigator& navigator)
    : TFramePanel(navigator, "PnlDisclaimer", "License agreement and disclaimer"),
      Image1(this, "Image1"),
      Label1(this, "Label1"),
      MemoDisclaimer(this, "MemoDisclaimer"),
      CheckBox1(this, "CheckBox1") {
    Image1.SetBounds(8, 8, 49, 57);
    Image1.SetStretch(true);
    Image1.SetTransparent(true);
    ui::ShowPicture(Image1, ui::PictureId::DisclaimerSmall);

    Label1.SetBounds(72, 8, 0, 0);
    SetPixelHeight(Label1, 21);
    Label1.SetCaption("Torvane P2P License agreement");

    MemoDisclaimer.SetBounds(70, 36, 553, 292);
    MemoDisclaimer.SetReadOnly(true);

    CheckBox1.SetBounds(72, 340, 601, 25);
    SetPixelHeight(CheckBox1, 21);
    CheckBox1.SetCaption("&I have read the statement above and I fully agree with this statement.");
    UseParentColors(*this);
}

void TPnlDisclaimer::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPnlDisclaimer::BeforeShow() {
    MemoDisclaimer.Clear();
    for (const char* line : kLicenceLines) MemoDisclaimer.AddLine(line);
    MemoDisclaimer.ScrollToTop();
    CheckBox1.SetChecked(false);
}

void TPnlDisclaimer::NextClick() {
    if (Nav().IsSliding()) return;
    if (!CheckBox1.Checked()) {
        Nav().App().ShowMessage(
            "You can only install Torvane P2P in case you agree to this statement.\r"
            "Check the checkbox to confirm.\r"
            "Otherwise please press Exit");
        return;
    }
    Nav().ShowPanel("PnlInstall", true);
}

void TPnlDisclaimer::PreviousClick() { GoTo("PnlWelcome"); }

}  // namespace torvane
