#include "app/PNL_Error.h"

#include <initializer_list>

#include "app/OpenAsUser.h"
#include "app/QvButtonBar.h"
#include "generated/BuildConfig.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"
#include "ui/TextFit.h"

namespace torvane {

TPnlError* PnlError = nullptr;

namespace {

constexpr int kLabel5Left = 413;

void MakeBold(ui::Label& label) {
    ui::Font font = label.GetFont();
    font.bold = true;
    label.SetFont(font);
}

// Every label and text box of the panel shows its parent's colour.
void UseParentColor(ui::Label& label) { label.SetColor(label.Parent()->GetColor()); }

bool IsDiskFullMessage(const std::string& text) {
    static const std::string kDiskFull = "i/o error 112";
    if (text.size() != kDiskFull.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kDiskFull[i]) return false;
    }
    return true;
}

}  // namespace

TPnlError::TPnlError(Navigator& navigator)
    : TFramePanel(navigator, "PnlError", "Error"),
      Image1(this, "Image1"),
      Panel1(this, "Panel1"),
      Label1(&Panel1, "Label1"),
      StaticText1(&Panel1, "StaticText1"),
      btnClipboard(&Panel1, "btnClipboard"),
      Label2(this, "Label2"),
      StaticText2(this, "StaticText2"),
      StaticText3(this, "StaticText3"),
      StaticText4(this, "StaticText4"),
      Label3(this, "Label3"),
      StaticText5(this, "StaticText5"),
      StaticText7(this, "StaticText7"),
      Label4(this, "Label4"),
      Label5(this, "Label5") {
    PnlError = this;

    Image1.SetBounds(16, 8, 121, 122);
    Image1.SetTransparent(true);
    ui::ShowPicture(Image1, ui::PictureId::Error);
    Image1.Description = "Error";

    Panel1.SetBounds(132, 8, 559, 119);
    Panel1.SetBevel(ui::Bevel::None);
    Panel1.SetColor(ui::colors::White);

    Label1.SetBounds(8, 8, 0, 0);
    ui::Font title = Label1.GetFont();
    title.color = ui::colors::Red;
    title.pixels = 19;
    Label1.SetFont(title);
    Label1.SetCaption("Install could not continue - An error occured");

    StaticText1.SetBounds(10, 32, 500, 50);

    btnClipboard.SetBounds(464, 97, 91, 19);
    btnClipboard.SetCaption("Copy to clipboard");
    btnClipboard.OnClick = [this] { btnClipboardClick(); };

    Label2.SetBounds(16, 144, 0, 0);
    MakeBold(Label2);
    Label2.SetCaption("How to resolve");
    StaticText2.SetBounds(16, 160, 217, 49);
    StaticText2.SetCaption(
        "This error was unexpected, the installation program has no knowledge how to automatically resolve or by pass this problem. ");
    StaticText3.SetBounds(16, 211, 217, 46);
    StaticText3.SetCaption(
        "Possible remedies can be to install the program in a different folder or to run the installer with all usage rights (as administrator).");
    StaticText4.SetBounds(17, 262, 217, 46);
    StaticText4.SetCaption("You can hit the restart button to give it another shot. ");

    Label3.SetBounds(308, 143, 0, 0);
    MakeBold(Label3);
    Label3.SetCaption("Let us know");
    StaticText5.SetBounds(308, 159, 217, 50);
    StaticText5.SetCaption(
        "We aim on creating software that just does what it should do, apperently something went wrong in this. We would love to know that so we can fix it.");
    StaticText7.SetBounds(309, 217, 217, 45);
    StaticText7.SetCaption(
        "Could you include the exact text of the error message in your E-mail? For copy/paste use the copy to clipboard button.");
    // The e-mail link follows it on the same line (PlaceLinks).
    Label4.SetBounds(310, 270, 0, 0);
    Label4.SetCaption("You can reach us at: ");

    Label5.SetBounds(kLabel5Left, 270, 0, 0);
    ui::Font link = Label5.GetFont();
    link.color = ui::colors::Blue;
    link.underline = true;
    Label5.SetFont(link);
    Label5.SetHandCursor(true);
    Label5.SetCaption(config::kSupportEmail);
    Label5.OnClick = [this] { Label5Click(); };

    for (ui::Label* label : std::initializer_list<ui::Label*>{
             &Label1, &StaticText1, &Label2, &StaticText2, &StaticText3, &StaticText4, &Label3,
             &StaticText5, &StaticText7, &Label4, &Label5})
        UseParentColor(*label);
}

TPnlError::~TPnlError() {
    if (PnlError == this) PnlError = nullptr;
}

void TPnlError::SetMessage(const std::string& Text) {
    StaticText1.SetCaption(IsDiskFullMessage(Text) ? "Disk Full" : Text);
}

void TPnlError::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Restart", 2, 1, [this](ui::Control&) { RestartClick(); });
}

// The address keeps its layout place unless the text before it is wider.
void TPnlError::PlaceLinks() { ui::PlaceAfterAtLeast(Label4, Label5, kLabel5Left); }

void TPnlError::RestartClick() {
    if (Nav().IsSliding()) return;
    platform::Platform& platform = Nav().Platform();
    // The setup again, with the rights it has now: it needs them.
    platform.shell.Open(platform.processes.OwnExecutablePath(), false);
    platform.processes.EndProcess(0);
}

void TPnlError::btnClipboardClick() { Nav().Platform().clipboard.SetText(StaticText1.Caption()); }

void TPnlError::Label5Click() { MailSupportAsUser(Nav(), config::kSupportEmail); }

}  // namespace torvane
