#include "uninstall/UninstallList.h"

#include <cctype>

namespace torvane::uninstall {

namespace {

bool IsKnownKind(char c) {
    switch (c) {
        case 'P':
        case 'E':
        case 'F':
        case 'R':
        case 'S':
        case 'T':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*") return true;
    // Iterative match with one back-tracking point for the last '*'.
    std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || LowerChar(pattern[p]) == LowerChar(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string FolderOf(const std::string& path, LeadByte isLead) {
    const std::size_t slash = LastBackslash(path, isLead);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path, LeadByte isLead) {
    const std::size_t slash = LastBackslash(path, isLead);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

UninstallList ParseUninstallList(const std::string& bytes) {
    if (bytes.size() > kMaxListBytes)
        throw ListError("it is larger than any list the setup writes");
    std::vector<std::string> lines = SplitAt(bytes, '\n');
    // The remainder after the last line end is empty in a complete list.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();

    UninstallList list;
    if (lines.empty() || lines[0].empty())
        throw ListError("the first line (the product name) is empty");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string where = "line " + std::to_string(i + 1);
        for (char c : line)
            if (static_cast<unsigned char>(c) < 0x20)
                throw ListError(where + " contains a control character");
        if (i == 0) {
            list.productName = line;
            continue;
        }
        if (line.size() < 3 || line.front() != '<' || line.back() != '>')
            throw ListError(where + " is not of the form <kind letter and argument>");
        if (!IsKnownKind(line[1]))
            throw ListError(where + " has an unknown kind letter '" + line.substr(1, 1) + "'");
        if (line.size() == 3) throw ListError(where + " has no argument");
        list.entries.push_back(Entry{static_cast<EntryKind>(line[1]),
                                     line.substr(2, line.size() - 3), static_cast<int>(i + 1)});
    }
    return list;
}

std::string DamagedListMessage(const std::string& listPath, const std::string& reason) {
    return "The uninstall list " + listPath + " is missing or damaged: " + reason +
           ".\n\nNothing has been removed.";
}

std::string WithoutTrailingBackslash(std::string path, LeadByte isLead) {
    if (path.size() > 3 && LastBackslash(path, isLead) == path.size() - 1) path.pop_back();
    return path;
}

std::string DescribeEntry(const Entry& entry) {
    switch (entry.kind) {
        case EntryKind::Pattern:
            return "files " + entry.argument;
        case EntryKind::EmptyFolder:
            return "folder " + WithoutTrailingBackslash(entry.argument);
        case EntryKind::File:
            return "file " + entry.argument;
        case EntryKind::MachineKey:
            return "registry key HKEY_LOCAL_MACHINE\\" + entry.argument;
        case EntryKind::StartMenuGroup:
            return "Start-menu group " + entry.argument;
        case EntryKind::DesktopShortcut:
            return "desktop shortcut " + entry.argument;
    }
    return entry.argument;
}

}  // namespace torvane::uninstall
