#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPnlInstallChooseDir : public TFramePanel {
public:
    TPnlInstallChooseDir() : TFramePanel("PnlInstallChooseDir", "Choose installation folder") {}
};

}  // namespace torvane
