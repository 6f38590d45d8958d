#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/PathNames.h"

namespace torvane {

// The unattended-upgrade switch: the parameters joined with single spaces and
// trimmed must begin with "/autoupdate " in any letter case. Returns the
// folder after it, trimmed, in its own letter case, ending with exactly one
// "\" (added, or a run of them folded: by character, `isLead`); nothing when
// the switch is absent. Blanks inside the folder are kept as given.
std::optional<std::string> AutoUpdateFolder(const std::vector<std::string>& params,
                                            LeadByte isLead);

}  // namespace torvane
