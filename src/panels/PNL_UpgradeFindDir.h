#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPnlUpgradeFindDir : public TFramePanel {
public:
    TPnlUpgradeFindDir() : TFramePanel("PnlUpgradeFindDir", "Searching Torvane P2P") {}
};

}  // namespace torvane
