#include "panels/PNL_Welcome.h"

#include "app/FormMain.h"
#include "lib/LIB_Random.h"

namespace torvane {

TPnlWelcome::TPnlWelcome() : TFramePanel("PnlWelcome", "Welcome"), Timer1(this, "Timer1") {
    // These are the program's first draws from the generator, so the words
    // always start off the same way.
    for (int i = 0; i < kWords; ++i) {
        MoveUp[i] = Random(2) == 1;
        MoveLeft[i] = Random(2) == 1;
        StepY[i] = static_cast<std::uint8_t>(Random(5) + 1);
        StepX[i] = static_cast<std::uint8_t>(Random(5) + 1);
    }
    Timer1.SetInterval(50);
    Timer1.SetEnabled(true);
}

void TPnlWelcome::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
}

void TPnlWelcome::ExitClick() {
    if (FormMain->Sliding) return;
    FormMain->Close();
}

void TPnlWelcome::NextClick() {
    if (FormMain->Sliding) return;
    Timer1.SetEnabled(false);
    FormMain->ShowPanel("PnlDisclaimer", true);
}

}  // namespace torvane
