#pragma once

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/RadioGroup.h"

namespace torvane {

// The kind of internet connection, stored as an index into the list of kinds
// (`ConnectionType`). Only "&Next" stores it; every showing selects the
// stored kind afresh.
class TPNLInstallChooseConnection : public TFramePanel {
public:
    explicit TPNLInstallChooseConnection(Navigator& navigator);

    ui::Image Image1;
    ui::TextBox StaticText1;
    ui::RadioGroup rgConnection;

    void SetButtons(tQvButtonBar& bar) override;
    // Fills the text and the list and selects the stored kind.
    void BeforeShow() override;
    void NextClick();
    void PreviousClick();
};

}  // namespace torvane
