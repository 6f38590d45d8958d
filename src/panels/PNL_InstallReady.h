#pragma once

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane {

// The last page of a new installation: says it succeeded and offers to start
// the installed client. It fills nothing at run time.
class TPNLInstallReady : public TFramePanel {
public:
    explicit TPNLInstallReady(Navigator& navigator);

    ui::Label Label9;
    ui::Panel Panel45;
    ui::Label Label11;  // on Panel45
    ui::Image Image1;   // on Panel45

    void SetButtons(tQvButtonBar& bar) override;
    // Starts the installed client and closes the window without waiting for
    // it; a client that does not start closes the window just the same.
    void StartClick();
};

}  // namespace torvane
