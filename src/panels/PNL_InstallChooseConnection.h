#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallChooseConnection : public TFramePanel {
public:
    TPNLInstallChooseConnection() : TFramePanel("PNLInstallChooseConnection", "Select your internet-connection") {}
};

}  // namespace torvane
