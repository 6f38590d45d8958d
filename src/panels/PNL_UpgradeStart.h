#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLUpgradeStart : public TFramePanel {
public:
    TPNLUpgradeStart() : TFramePanel("PNLUpgradeStart", "Ready to upgrade") {}
};

}  // namespace torvane
