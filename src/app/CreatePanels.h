#pragma once

namespace torvane {

// Creates the fifteen wizard panels in their fixed order and registers each
// with the main window (FormMain must be set). The welcome panel comes first:
// its constructor makes the program's first random draws.
void CreatePanels();

}  // namespace torvane
