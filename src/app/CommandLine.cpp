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
    std::string folder = Trim(joined.substr(kSwitch.size() - 1));
    // A folder ends with one backslash. More come from a command line
    // written by the C run-time's rules, which double a backslash before a
    // closing quote ("C:\a  b\\") so that it does not escape the quote;
    // this program's parameters (SplitCommandLine: quotes only group) keep both.
    while (folder.size() > 3 && EndsWithBackslash(folder, isLead) &&
           EndsWithBackslash(folder.substr(0, folder.size() - 1), isLead))
        folder.pop_back();
    return WithBackslash(folder, isLead);
}

}  // namespace torvane
