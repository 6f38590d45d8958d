#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/FormMain.h"
#include "fakes/FakeClock.h"
#include "fakes/HeadlessHost.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane::testing {

// Puts the install state and the generator back to their start values, as a
// fresh process would have them.
void ResetProgramState();

// A whole headless wizard: fresh program state, the main window created with
// the given parameters, and a fake clock that moves 5 ms at every message pump
// so slides finish without real waiting.
class Wizard {
public:
    explicit Wizard(std::vector<std::string> params = {});
    ~Wizard();

    TFormMain& form() { return *form_; }
    tQvButtonBar& bar() { return form_->PnlButtons; }
    std::string header() { return form_->PnlHeader.Caption(); }
    std::string activePanel();
    // Clicks the visible bar button with this caption through the top-level
    // handler, as the message loop would; fails the test when there is none.
    void click(const std::string& caption);
    // Alt+letter as the message loop hands it to the bar.
    bool alt(char letter);

    HeadlessHost host;
    ui::Application app{host};
    FakeClock clock;
    platform::Platform platform{clock};

private:
    std::unique_ptr<TFormMain> form_;
};

}  // namespace torvane::testing
