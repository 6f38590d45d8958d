#pragma once
#include <string>

#include "app/FramePanel.h"
#include "ui/Button.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane {

// The panel every unforeseen failure ends on: the failure's message, a way to
// copy it, advice, and the support address. From here the user can only
// leave or start the setup afresh.
class TPnlError : public TFramePanel {
public:
    explicit TPnlError(Navigator& navigator);
    ~TPnlError() override;

    ui::Image Image1;
    ui::Panel Panel1;
    ui::Label Label1;
    ui::TextBox StaticText1;
    ui::Button btnClipboard;
    ui::Label Label2;
    ui::TextBox StaticText2;
    ui::TextBox StaticText3;
    ui::TextBox StaticText4;
    ui::Label Label3;
    ui::TextBox StaticText5;
    ui::TextBox StaticText7;
    ui::Label Label4;
    ui::Label Label5;

    // Shows a failure's message. The run-time's wording of a full disk,
    // "I/O error 112" in any case and nothing more, is shown as "Disk Full".
    void SetMessage(const std::string& Text);

    void SetButtons(tQvButtonBar& bar) override;

protected:
    void PlaceLinks() override;

public:
    // Starts this program's own executable again and ends this process with
    // exit code 0.
    void RestartClick();
    // Copies the message as shown to the clipboard.
    void btnClipboardClick();
    // Opens the user's mail program on a message to the support address.
    void Label5Click();
};

// Set by the panel's constructor so that the failure handler reaches the
// panel without looking it up by name.
extern TPnlError* PnlError;

}  // namespace torvane
