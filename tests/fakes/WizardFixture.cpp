#include "fakes/WizardFixture.h"

#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "lib/LIB_Random.h"
#include "panels/WizardPanels.h"
#include "payload/SeedDataFile.h"

namespace torvane::testing {

void ResetProgramState() {
    InstallDir.clear();
    DownloadDir.clear();
    WorkDir.clear();
    UserDataDir.clear();
    AutoUpdate = false;
    ConnectionType = 8;
    InstallToolbar = true;
    DesktopShortcut = false;
    SourceCode = kBuildSourceCode;
    FoundInstallations.reset();
    RandSeed = 0;
}

Wizard::Wizard(std::vector<std::string> params, const std::function<void(Wizard&)>& prepare) {
    ResetProgramState();
    if (prepare) prepare(*this);
    form_ = std::make_unique<TFormMain>(app, platform, WizardPanels(), std::move(params));
}

Wizard::~Wizard() = default;

std::string Wizard::activePanel() {
    TFramePanel* panel = form_->ActivePanel();
    return panel ? panel->Name() : std::string();
}

void Wizard::click(const std::string& caption) {
    for (int slot = 1; slot <= tQvButtonBar::kSlots; ++slot) {
        for (ui::TLbSpeedButton* button : {&bar().LeftButton(slot), &bar().RightButton(slot)}) {
            if (button->Visible() && button->Caption() == caption) {
                app.Dispatch([button] {
                    button->MouseDown();
                    button->MouseUp(true);
                });
                return;
            }
        }
    }
    ADD_FAILURE() << "no visible button \"" << caption << "\" on the bar";
}

bool Wizard::alt(char letter) {
    bool handled = false;
    app.Dispatch([&] { handled = bar().HandleAccelerator(letter); });
    return handled;
}

}  // namespace torvane::testing
