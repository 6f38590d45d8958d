#pragma once

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace torvane {

// The last page before the installation starts: a summary of the folders and
// the shortcut choice, rebuilt on every showing. It writes nothing.
class TPNLInstallGo : public TFramePanel {
public:
    explicit TPNLInstallGo(Navigator& navigator);

    ui::Image Image7;
    ui::Label Label1;
    ui::Label Label2;
    ui::Label Label6;
    ui::Label Label7;
    ui::Label Label9;

    void SetButtons(tQvButtonBar& bar) override;
    // Fills the three summary lines from the install state.
    void BeforeShow() override;
    void NextClick();
    void PreviousClick();
};

}  // namespace torvane
