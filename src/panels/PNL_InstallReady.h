#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallReady : public TFramePanel {
public:
    TPNLInstallReady() : TFramePanel("PNLInstallReady", "Installation of Torvane P2P ready") {}
};

}  // namespace torvane
