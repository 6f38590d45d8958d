#include "uninstall/LineRules.h"

#include <cctype>

namespace torvane::uninstall {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

bool StartsWithNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && SameText(text.substr(0, head.size()), head);
}

// HasCharacterOf looks at characters, never at the second byte of a
// double-byte one, which may be 0x7C, the byte of "|".
bool HasWildcard(const std::string& text, LeadByte isLead = NoLeadBytes) {
    return HasCharacterOf(text, "*?", isLead);
}
bool HasBadNameCharacter(const std::string& text, LeadByte isLead = NoLeadBytes) {
    return HasCharacterOf(text, "<>\"|", isLead);
}

// Windows drops trailing dots and blanks from a name, so "..." or ".. "
// would mean something else than what the list shows.
bool EndsInDotOrBlank(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

std::optional<std::string> CheckPlainName(const std::string& name) {
    if (name.find_first_of("\\/") != std::string::npos) return "contains \"\\\" or \"/\"";
    if (name.find("..") != std::string::npos) return "contains \"..\"";
    if (name.find(':') != std::string::npos) return "contains \":\"";
    if (HasWildcard(name)) return "contains a wildcard";
    if (HasBadNameCharacter(name)) return "contains a character not allowed in file names";
    if (name == "." || EndsInDotOrBlank(name)) return "ends in a dot or a blank";
    return std::nullopt;
}

std::optional<std::string> CheckMachineKey(const std::string& key) {
    if (!StartsWithNoCase(key, "Software\\") || key.size() == 9)
        return "is not a key below Software\\";
    for (const std::string& name : SplitAt(key, '\\')) {
        if (name.empty()) return "has an empty key name";
        if (name == "." || name == "..") return "contains \".\" or \"..\"";
        if (HasWildcard(name)) return "contains a wildcard";
    }
    return std::nullopt;
}

}  // namespace

// The rules shared by P, E and F. `patternLast`: the last component may hold
// wildcards (P). `minComponents`: how many names below the drive root.
std::optional<std::string> DrivePathRefusal(const std::string& path, bool patternLast,
                                            bool allowTrailingSlash, std::size_t minComponents,
                                            LeadByte isLead) {
    if (path.find('/') != std::string::npos) return "contains \"/\"";
    // No Windows name holds one; on a command line a tab would split the path.
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20) return "contains a control character";
    const bool driveRooted = path.size() >= 3 &&
                             std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                             path[2] == '\\';
    if (!driveRooted) return "is not an absolute path on a drive";
    std::string rest = path.substr(3);
    if (allowTrailingSlash && !rest.empty() && LastBackslash(rest, isLead) == rest.size() - 1)
        rest.pop_back();
    if (rest.empty()) return "names the root of a drive";
    const std::vector<std::string> names = SplitAtBackslashes(rest, isLead);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const bool last = i + 1 == names.size();
        if (name.empty()) return "has an empty name between two \"\\\"";
        if (name == "." || name == "..") return "contains \".\" or \"..\"";
        if (EndsInDotOrBlank(name)) return "has a name ending in a dot or a blank";
        if (name.find(':') != std::string::npos) return "contains \":\" after the drive";
        if (HasBadNameCharacter(name, isLead))
            return "contains a character not allowed in file names";
        if (HasWildcard(name, isLead) && !(patternLast && last))
            return patternLast ? "has a wildcard in its folder part" : "contains a wildcard";
    }
    if (names.size() < minComponents) return "names files in the root of a drive";
    return std::nullopt;
}

std::optional<std::string> RefusalOf(const Entry& entry, LeadByte isLead) {
    const std::string& arg = entry.argument;
    switch (entry.kind) {
        case EntryKind::Pattern:
            if (LastBackslash(arg, isLead) == std::string::npos &&
                arg.find('/') == std::string::npos)
                return "has no folder part";
            return DrivePathRefusal(arg, true, false, 2, isLead);
        case EntryKind::EmptyFolder:
            return DrivePathRefusal(arg, false, true, 1, isLead);
        case EntryKind::File:
            return DrivePathRefusal(arg, false, false, 1, isLead);
        case EntryKind::MachineKey:
            return CheckMachineKey(arg);
        case EntryKind::StartMenuGroup:
            return CheckPlainName(arg);
        case EntryKind::DesktopShortcut:
            if (auto refusal = CheckPlainName(arg)) return refusal;
            if (!EndsWithNoCase(arg, ".lnk")) return "is not a shortcut (.lnk)";
            return std::nullopt;
    }
    return "has an unknown kind";
}

}  // namespace torvane::uninstall
