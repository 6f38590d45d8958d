#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLUpgradeReady : public TFramePanel {
public:
    TPNLUpgradeReady() : TFramePanel("PNLUpgradeReady", "Upgrade of Torvane P2P ready") {}
};

}  // namespace torvane
