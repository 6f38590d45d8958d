#include "app/CommandLine.h"

#include "base/Text.h"

namespace torvane {

std::optional<std::string> AutoUpdateFolder(const std::vector<std::string>& params) {
    static const std::string kSwitch = "/autoupdate ";
    std::string joined;
    for (const std::string& param : params) joined += " " + param;
    joined = Trim(joined);
    if (LowerCase(joined).compare(0, kSwitch.size(), kSwitch) != 0) return std::nullopt;
    std::string folder = Trim(joined.substr(kSwitch.size() - 1));
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace torvane
