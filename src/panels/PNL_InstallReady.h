#pragma once

#include "panels/FinishedPanel.h"
#include "ui/Image.h"

namespace torvane {

// The last page of a new installation: says it succeeded and offers to start
// the installed client. It fills nothing at run time.
class TPNLInstallReady : public TFinishedPanel {
public:
    explicit TPNLInstallReady(Navigator& navigator);

    ui::Image Image1;  // on Panel45
};

}  // namespace torvane
