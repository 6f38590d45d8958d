#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallInstalling : public TFramePanel {
public:
    TPNLInstallInstalling() : TFramePanel("PNLInstallInstalling", "Installing Torvane P2P") {}
};

}  // namespace torvane
