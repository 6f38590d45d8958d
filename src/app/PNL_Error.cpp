#include "app/PNL_Error.h"

#include "app/FormMain.h"

namespace torvane {

TPnlError* PnlError = nullptr;

TPnlError::TPnlError() : TFramePanel("PnlError", "Error"), StaticText1(this, "StaticText1") {
    PnlError = this;
    StaticText1.SetBounds(142, 40, 500, 50);
}

TPnlError::~TPnlError() {
    if (PnlError == this) PnlError = nullptr;
}

void TPnlError::SetMessage(const std::string& Text) { StaticText1.SetCaption(Text); }

void TPnlError::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
}

void TPnlError::ExitClick() {
    if (FormMain->Sliding) return;
    FormMain->Close();
}

}  // namespace torvane
