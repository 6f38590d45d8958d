#include "app/CommandLine.h"

#include "base/Text.h"

namespace torvane {

std::optional<std::string> AutoUpdateFolder(const std::vector<std::string>& params,
                                            LeadByte isLead) {
    static const std::string kSwitch = "/autoupdate ";
    std::string joined;
    for (const std::string& param : params) joined += " " + param;
    joined = Trim(joined);
    if (LowerCase(joined).compare(0, kSwitch.size(), kSwitch) != 0) return std::nullopt;
    return WithBackslash(Trim(joined.substr(kSwitch.size() - 1)), isLead);
}

}  // namespace torvane
