#pragma once
#include <string>

#include "base/InstallLayout.h"
#include "platform/Processes.h"

namespace torvane {

// Starts the installed client in `folder` (ending with a backslash),
// maximised. The full path is the program to run and is quoted on its
// command line, so that no part of a path with blanks ("C:\Program Files")
// can be taken for the program. The setup may run elevated; a network-facing
// client must run with the user's own rights.
// When it could only have run with the setup's administrator rights, it is
// not started, and the caller shows kClientNotStarted.
inline platform::StartResult StartInstalledClient(platform::Processes& processes,
                                                  const std::string& folder) {
    const std::string client = folder + layout::kClient.name;
    return processes.Start(client, "\"" + client + "\"", platform::ShowMode::Maximized, true);
}

constexpr const char* kClientNotStarted =
    "Torvane P2P was not started, as it would have run with administrator rights.\r"
    "Please start it from the Start menu.";

}  // namespace torvane
