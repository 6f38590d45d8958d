#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPnlInstall : public TFramePanel {
public:
    TPnlInstall() : TFramePanel("PnlInstall", "Install or upgrade?") {}
};

}  // namespace torvane
