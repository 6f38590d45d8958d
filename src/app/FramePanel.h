#pragma once
#include <string>

#include "ui/Panel.h"

namespace torvane {

class tQvButtonBar;

// Base of every wizard panel: a sky-blue frame of 712 x 377 pixels filling
// its page. The main window shows a panel in three steps: SetButtons (after
// the bar was cleared), BeforeShow (before the slide-in) and AfterShow (once
// the panel is fully in view; the sequences do their work there).
class TFramePanel : public ui::Panel {
public:
    static constexpr int kWidth = 712;
    static constexpr int kHeight = 377;

    // Panels are made without a parent; the main window places each on a page of its own.
    TFramePanel(std::string name, std::string headerText);

    std::string HeaderText;

    virtual void SetButtons(tQvButtonBar& bar);
    virtual void BeforeShow() {}
    virtual void AfterShow() {}
};

}  // namespace torvane
