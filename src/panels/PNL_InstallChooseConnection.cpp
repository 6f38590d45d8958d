#include "panels/PNL_InstallChooseConnection.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

TPNLInstallChooseConnection::TPNLInstallChooseConnection(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallChooseConnection", "Select your internet-connection"),
      Image1(this, "Image1"),
      StaticText1(this, "StaticText1"),
      rgConnection(this, "rgConnection") {
    Image1.SetBounds(16, 16, 177, 281);
    ui::ShowPicture(Image1, ui::PictureId::Connection);
    StaticText1.SetBounds(200, 16, 216, 105);
    rgConnection.SetBounds(200, 130, 185, 145);
    rgConnection.SetCaption("Internet-connection");
    // The group's buttons, made on every showing, take the group's colour.
    UseParentColors(*this);
}

void TPNLInstallChooseConnection::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPNLInstallChooseConnection::BeforeShow() {
    StaticText1.SetCaption(
        "Choose the kind of internet-connection that\r"
        "you use. Torvane P2P uses this information to \r"
        "optimize its performance dependend on the\r"
        "kind of connection you have. After installation\r"
        "you can always select to the item \"Settings\"\r"
        "of Torvane P2P to finetune this settings further.");
    // The item index is the value stored in ConnectionType; the data file's
    // speed setting depends on this order.
    rgConnection.SetItems({
        "Dial-up &Modem < 56KBS",
        "Dial-up M&odem 56K",
        "&ISDN",
        "&ADSL / DSL",
        "&Cable",
        "&T1",
        "T&2",
        "ADSL 2",
        "I &don't know",
    });
    rgConnection.SetItemIndex(ConnectionType);
}

void TPNLInstallChooseConnection::NextClick() {
    if (Nav().IsSliding()) return;
    if (rgConnection.ItemIndex() == -1) {
        Nav().App().ShowMessage("Choose a connection first");
        return;
    }
    ConnectionType = rgConnection.ItemIndex();
    Nav().ShowPanel("PNLInstallToolbar", true);
}

void TPNLInstallChooseConnection::PreviousClick() { GoTo("PNLInstallChooseDownloadDir"); }

}  // namespace torvane
