#include "uninstall/KeepRule.h"

namespace torvane::uninstall {

std::optional<std::string> WhyKept(const std::string& name, const std::string& path, bool byAge,
                                   std::uint64_t listWritten, UninstallSystem& system) {
    if (IsUnspellableName(name, system.LeadBytes()))
        return "its name cannot be spelt in this system's code page";
    if (!byAge) return std::nullopt;
    const char* const before = "it was there before the installation";
    if (listWritten == 0) return before;
    PathFacts facts;
    if (system.Inspect(path, facts).status != Status::Removed) return "its times cannot be read";
    if (facts.created < listWritten || facts.written < listWritten) return before;
    return std::nullopt;
}

}  // namespace torvane::uninstall
