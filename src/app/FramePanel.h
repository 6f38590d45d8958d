#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/Navigator.h"
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

    // Panels are made without a parent; the main window places each on a page
    // of its own. A panel made without a navigator gets the window's when it
    // is registered.
    TFramePanel(Navigator& navigator, std::string name, std::string headerText);
    TFramePanel(std::string name, std::string headerText);

    std::string HeaderText;

    virtual void SetButtons(tQvButtonBar& bar);
    virtual void BeforeShow() {}
    virtual void AfterShow() {}
    // True for the panels whose AfterShow does the long work (the
    // sequences, the search): the main window refuses close requests from
    // outside from the moment it starts showing one until its work is done.
    virtual bool WorksWhenShown() const { return false; }
    // A failure that ended this panel's work has been reported; the error
    // panel shows next. Nothing by default. Must not raise.
    virtual void FailureReported() {}

    // Once its texts are set (after BeforeShow): places what follows a
    // measured text (PlaceLinks), then grows every box whose text would be
    // cut in the font the system draws with (ui::FitTexts).
    void FitTexts();

    // Everything a panel reaches beyond itself (other panels, the program's
    // end, the platform, the application) goes through here.
    Navigator& Nav() const;
    void SetNavigator(Navigator& navigator) { navigator_ = &navigator; }

    // The standard "Exit" of the bar: ends the program, unless a slide runs.
    void ExitClick();

protected:
    // Puts a link right after the text it continues; nothing by default.
    virtual void PlaceLinks() {}

    // The standard "Next" and "Previous": shows the named panel with a
    // slide, unless a slide runs. `first`, when given, runs just before the
    // panel is shown (and so not during a slide either). Returns whether it
    // did.
    bool GoTo(const std::string& panel, const std::function<void()>& first = {});

private:
    Navigator* navigator_ = nullptr;
};

// Makes one panel for the main window, which hands itself in as the navigator.
using PanelFactory = std::function<std::unique_ptr<TFramePanel>(Navigator&)>;

}  // namespace torvane
