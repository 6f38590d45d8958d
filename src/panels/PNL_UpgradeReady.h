#pragma once

#include "panels/FinishedPanel.h"
#include "ui/Image.h"

namespace torvane {

// The last page of an interactive upgrade: says it is complete and offers to
// start the upgraded client. It fills nothing at run time. It is shown only
// when the client was replaced; a client that could not be replaced ends the
// upgrade on the error panel instead.
class TPNLUpgradeReady : public TFinishedPanel {
public:
    explicit TPNLUpgradeReady(Navigator& navigator);

    ui::Image Image8;  // below Panel45: only the picture's lower edge shows
};

}  // namespace torvane
