#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLUpgradeUpgrading : public TFramePanel {
public:
    TPNLUpgradeUpgrading() : TFramePanel("PNLUpgradeUpgrading", "Upgrading Torvane P2P") {}
};

}  // namespace torvane
