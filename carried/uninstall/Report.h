#pragma once
// The closing words of an uninstall, and whether it counts as done.
#include <cstddef>
#include <string>

#include "uninstall/Run.h"

namespace torvane::uninstall {

// What the caller managed for the deferred self-removal.
enum class SelfRemoval {
    ByCopy,     // the copy in the temporary folder will remove it and the folders
    AtRestart,  // registered for removal at the next restart (self and folders)
    Failed,     // neither worked
};
// Marks the self item and the folders-after-self items accordingly.
void SettleSelfRemoval(RunResult& result, SelfRemoval how, const std::string& reason = {});

// True when nothing failed (Pending and AtRestart count as removed, Kept as
// done right): exit code 0 with /s.
bool EverythingRemoved(const RunResult& result);

// The closing message: that everything was removed, or the list of what could
// not be (at most `maxItems`, then "and N more"); then what was kept as older
// than the installation, and what goes at the next restart.
std::string ReportMessage(const std::string& productName, const RunResult& result,
                          std::size_t maxItems = 25);

}  // namespace torvane::uninstall
