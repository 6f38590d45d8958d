#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FormMain.h"
#include "fakes/FakePlatform.h"

namespace torvane::testing {

// Puts the install state and the generator back to their start values, as a
// fresh process would have them.
void ResetProgramState();

// A whole headless wizard: fresh program state and the main window with all
// its panels, created with the given parameters over the fakes of FakePlatform.
// `prepare`, when given, runs before the main window is created, so a test
// can change the fakes its constructor already sees.
class Wizard : public FakePlatform {
public:
    explicit Wizard(std::vector<std::string> params = {},
                    const std::function<void(Wizard&)>& prepare = {});
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

private:
    std::unique_ptr<TFormMain> form_;
};

}  // namespace torvane::testing
