#pragma once

#include "app/FramePanel.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace torvane {

// The offer of the optional browser toolbar. The box shows the stored choice
// (`InstallToolbar`) on every showing; only "&Next" stores a change.
class TPNLInstallToolbar : public TFramePanel {
public:
    explicit TPNLInstallToolbar(Navigator& navigator);

    ui::TextBox StaticText1;
    ui::Image Image2;
    ui::Image Image1;
    ui::CheckBox CheckBox1;
    ui::Label Label2;
    ui::Label Label3;
    ui::Label Label4;
    ui::Label Label5;
    ui::Label Label1;

    void SetButtons(tQvButtonBar& bar) override;
    void BeforeShow() override;

protected:
    void PlaceLinks() override;

public:
    void NextClick();
    void PreviousClick();
    // Opens the toolbar provider's licence page in the user's browser.
    void Label4Click();
};

}  // namespace torvane
