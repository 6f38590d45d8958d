#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallToolbar : public TFramePanel {
public:
    TPNLInstallToolbar() : TFramePanel("PNLInstallToolbar", "Intergrate the Torvane Toolbar in your browser") {}
};

}  // namespace torvane
