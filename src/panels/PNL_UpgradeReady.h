#pragma once

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane {

// The last page of an interactive upgrade: says it is complete and offers to
// start the upgraded client. It fills nothing at run time.
class TPNLUpgradeReady : public TFramePanel {
public:
    explicit TPNLUpgradeReady(Navigator& navigator);

    ui::Label Label9;
    ui::Image Image8;
    ui::Panel Panel45;  // above Image8: only the picture's lower edge shows
    ui::Label Label11;  // on Panel45

    void SetButtons(tQvButtonBar& bar) override;
    // Starts the client in InstallDir (the new one, or the earlier one when it
    // could not be replaced) and closes the window without waiting for it; a
    // client that does not start closes the window just the same.
    void StartClick();
};

}  // namespace torvane
