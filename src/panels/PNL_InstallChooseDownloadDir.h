#pragma once

#include "app/FramePanel.h"

namespace torvane {

class TPNLInstallChooseDownloadDir : public TFramePanel {
public:
    TPNLInstallChooseDownloadDir() : TFramePanel("PNLInstallChooseDownloadDir", "Choose download folder") {}
};

}  // namespace torvane
