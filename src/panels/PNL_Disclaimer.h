#pragma once

#include "app/FramePanel.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"

namespace torvane {

// The licence agreement. The user goes on only after ticking the box that
// states agreement; the box is cleared on every entry and the agreement is
// not remembered anywhere.
class TPnlDisclaimer : public TFramePanel {
public:
    explicit TPnlDisclaimer(Navigator& navigator);

    ui::Image Image1;
    ui::Label Label1;
    ui::Memo MemoDisclaimer;
    ui::CheckBox CheckBox1;

    void SetButtons(tQvButtonBar& bar) override;
    // Shows the agreement from its first line with the box cleared.
    void BeforeShow() override;
    void NextClick();
    void PreviousClick();
};

}  // namespace torvane
