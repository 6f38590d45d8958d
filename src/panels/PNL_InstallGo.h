#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallGo : public TFramePanel {
public:
    TPNLInstallGo() : TFramePanel("PNLInstallGo", "Ready to install") {}
};

}  // namespace torvane
