#pragma once
#include <string>

#include "app/FramePanel.h"
#include "ui/Label.h"

namespace torvane {

// The panel every unforeseen failure ends on. From here the user can only
// leave.
class TPnlError : public TFramePanel {
public:
    TPnlError();
    ~TPnlError() override;

    ui::TextBox StaticText1;

    // Shows a failure's message.
    void SetMessage(const std::string& Text);

    void SetButtons(tQvButtonBar& bar) override;
    void ExitClick();
};

// Set by the panel's constructor so that the failure handler reaches the
// panel without looking it up by name.
extern TPnlError* PnlError;

}  // namespace torvane
