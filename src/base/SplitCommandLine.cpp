#include "base/SplitCommandLine.h"

#include "base/Text.h"

namespace torvane {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> params;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (true) {
        while (i < n && IsBlank(commandLine[i])) ++i;
        if (i >= n) break;
        std::string param;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(commandLine[i]))) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                param += commandLine[i];
            ++i;
        }
        params.push_back(param);
    }
    if (!params.empty()) params.erase(params.begin());
    return params;
}

}  // namespace torvane
