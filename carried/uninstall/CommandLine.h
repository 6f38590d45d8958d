#pragma once
// The uninstaller's switches: interactive, "/s", and the "/cleanup" of the
// copy that removes the program once it has ended.
#include <cstdint>
#include <string>
#include <vector>

#include "uninstall/UninstallList.h"

namespace torvane::uninstall {

struct CleanupRequest {
    std::string original;              // the uninstaller that ended
    std::uint32_t processId = 0;       // its process, to wait for
    std::vector<std::string> folders;  // folders to try again once it is gone
};

enum class Mode { Interactive, Silent, Cleanup };
struct Invocation {
    Mode mode = Mode::Interactive;
    CleanupRequest cleanup;
};

// The parameters after the program name: "/s" in any letter case anywhere →
// Silent; "/cleanup <original> <pid> [folder...]" → Cleanup (only as the
// first parameter, with an absolute original path, a decimal process id and
// absolute folders; otherwise ListError). Anything else is Interactive.
// Paths are split by character (`isLead`).
Invocation ParseInvocation(const std::vector<std::string>& params, LeadByte isLead = NoLeadBytes);

// The command line that starts the copy: "<copy>" /cleanup "<original>" pid "<folder>"...
// Paths are quoted; Windows paths cannot contain a double quote.
std::string CleanupCommandLine(const std::string& copyPath, const CleanupRequest& request);

}  // namespace torvane::uninstall
