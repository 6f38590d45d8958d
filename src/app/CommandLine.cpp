#include "app/CommandLine.h"

namespace torvane {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string Trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string LowerCase(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

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
            if (commandLine[i] == '"') quoted = !quoted;
            else param += commandLine[i];
            ++i;
        }
        params.push_back(param);
    }
    if (!params.empty()) params.erase(params.begin());
    return params;
}

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
