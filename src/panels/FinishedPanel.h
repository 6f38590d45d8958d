#pragma once
#include <string>

#include "app/FramePanel.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane {

// Base of the two last pages (installation and upgrade finished): a bold
// message at the top, a sky-blue panel below it with a large italic white
// greeting, and "&Exit" and "&Start Torvane P2P" on the bar. The start
// button runs the client in InstallDir and closes the window. A page adds
// its own picture and sets the texts and the places that differ.
class TFinishedPanel : public TFramePanel {
public:
    // Where the two labels stand and what they say on one of the pages.
    struct Texts {
        std::string message;    // Label9
        ui::Bounds messageAt;   // Label9, in the page
        std::string greeting;   // Label11
        ui::Bounds greetingAt;  // Label11, in Panel45
    };

    TFinishedPanel(Navigator& navigator, std::string name, std::string headerText,
                   const Texts& texts);

    ui::Label Label9;
    ui::Panel Panel45;
    ui::Label Label11;  // on Panel45

    void SetButtons(tQvButtonBar& bar) override;
    // Starts the client in InstallDir and closes the window without waiting
    // for it; a client that does not start closes the window just the same.
    void StartClick();
};

}  // namespace torvane
