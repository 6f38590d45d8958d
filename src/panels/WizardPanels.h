#pragma once
#include <vector>

#include "app/FramePanel.h"

namespace torvane {

// The fifteen wizard panels in their fixed order (the order of the window's
// pages), as factories for the main window. The program entry and the test
// fixture hand them to TFormMain.
std::vector<PanelFactory> WizardPanels();

}  // namespace torvane
