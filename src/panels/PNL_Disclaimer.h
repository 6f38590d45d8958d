#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPnlDisclaimer : public TFramePanel {
public:
    TPnlDisclaimer() : TFramePanel("PnlDisclaimer", "License agreement and disclaimer") {}
};

}  // namespace torvane
