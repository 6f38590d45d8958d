#pragma once

#include "app/FramePanel.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane {

// Where the wizard forks: a new installation or the upgrade of an installed
// copy, and whether a desktop shortcut is to be made. The choices stay as the
// user last set them across later showings.
class TPnlInstall : public TFramePanel {
public:
    explicit TPnlInstall(Navigator& navigator);

    // Members in tab order: the framed panel, the two radio buttons, the
    // check box, the directory note.
    ui::Panel Panel44;
    ui::Image Image4;
    ui::Label Label2;
    ui::Label Label5;
    ui::Label Label14;
    ui::Label Label18;
    ui::RadioButton RadioButton1;
    ui::RadioButton RadioButton2;
    ui::CheckBox CheckBox1;
    ui::TextBox StaticText1;
    ui::Label Label4a;
    ui::Label Label1;
    ui::Label Label3;

    // The upgrade was chosen when "&Next" was last pressed; read only by this
    // panel's own decision.
    bool UpgradeChosen = false;

    void SetButtons(tQvButtonBar& bar) override;

protected:
    void PlaceLinks() override;

public:
    void NextClick();
    void PreviousClick();
    void RadioButton1Click();
    void RadioButton2Click();
    // Opens the user's mail program on a message to the support address.
    void Label18Click();
};

}  // namespace torvane
