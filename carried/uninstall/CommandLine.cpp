#include "uninstall/CommandLine.h"

#include "uninstall/LineRules.h"

namespace torvane::uninstall {

namespace {

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

bool ParseProcessId(const std::string& text, std::uint32_t& id) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 0xFFFFFFFFull) return false;
    id = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

Invocation ParseInvocation(const std::vector<std::string>& params, LeadByte isLead) {
    Invocation invocation;
    if (!params.empty() && SameText(params[0], "/cleanup")) {
        invocation.mode = Mode::Cleanup;
        if (params.size() < 3)
            throw ListError("/cleanup needs the original program and its process id");
        CleanupRequest& request = invocation.cleanup;
        request.original = params[1];
        if (auto refusal = DrivePathRefusal(request.original, false, false, 1, isLead))
            throw ListError("the program to remove " + *refusal);
        if (!ParseProcessId(params[2], request.processId))
            throw ListError("the process id is not a number");
        for (std::size_t i = 3; i < params.size(); ++i) {
            if (auto refusal = DrivePathRefusal(params[i], false, true, 1, isLead))
                throw ListError("the folder " + params[i] + " " + *refusal);
            request.folders.push_back(WithoutTrailingBackslash(params[i], isLead));
        }
        return invocation;
    }
    for (const std::string& p : params)
        if (SameText(p, "/s")) invocation.mode = Mode::Silent;
    return invocation;
}

std::string CleanupCommandLine(const std::string& copyPath, const CleanupRequest& request) {
    std::string line = Quote(copyPath) + " /cleanup " + Quote(request.original) + " " +
                       std::to_string(request.processId);
    for (const std::string& folder : request.folders) line += " " + Quote(folder);
    return line;
}

}  // namespace torvane::uninstall
