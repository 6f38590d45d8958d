#include "uninstall/UninstallList.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "uninstall/Confinement.h"
#include "uninstall/ListDigest.h"

namespace torvane::uninstall {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

bool StartsWithNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && SameText(text.substr(0, head.size()), head);
}

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

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// Whether a character of `name` (not the second byte of a double-byte one,
// which may be 0x7C, the byte of "|") is one of `set`.
bool HasCharacterOf(const std::string& name, const char* set, LeadByte isLead) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (std::strchr(set, name[i]) && name[i] != '\0') return true;
        if (isLead(static_cast<unsigned char>(name[i]))) ++i;
    }
    return false;
}
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

// The rules shared by P, E and F. `patternLast`: the last component may hold
// wildcards (P). `minComponents`: how many names below the drive root.
std::optional<std::string> CheckDrivePath(std::string path, bool patternLast,
                                          bool allowTrailingSlash, std::size_t minComponents,
                                          LeadByte isLead = NoLeadBytes) {
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
    for (const std::string& name : Split(key, '\\')) {
        if (name.empty()) return "has an empty key name";
        if (name == "." || name == "..") return "contains \".\" or \"..\"";
        if (HasWildcard(name)) return "contains a wildcard";
    }
    return std::nullopt;
}

std::string StripTrailingSlash(std::string path, LeadByte isLead = NoLeadBytes) {
    if (path.size() > 3 && LastBackslash(path, isLead) == path.size() - 1) path.pop_back();
    return path;
}

std::string Describe(const Entry& entry) {
    switch (entry.kind) {
        case EntryKind::Pattern:
            return "files " + entry.argument;
        case EntryKind::EmptyFolder:
            return "folder " + StripTrailingSlash(entry.argument);
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

ItemState StateOf(Status status) {
    switch (status) {
        case Status::Removed:
            return ItemState::Removed;
        case Status::Absent:
            return ItemState::Absent;
        case Status::Failed:
            return ItemState::Failed;
    }
    return ItemState::Failed;
}

Item FromOutcome(std::string what, const Outcome& outcome, std::string path = {}) {
    return Item{std::move(what), StateOf(outcome.status), outcome.reason, std::move(path)};
}

// Every folder from the first below the drive root down to `path` itself
// ("C:\a\b" -> "C:\a", "C:\a\b").
std::vector<std::string> PathAndAncestors(const std::string& path, LeadByte isLead) {
    std::vector<std::string> chain;
    for (std::size_t slash : BackslashOffsets(path, isLead))
        if (slash > 2) chain.push_back(path.substr(0, slash));
    chain.push_back(path);
    return chain;
}

class Runner {
public:
    Runner(const std::vector<Step>& steps, UninstallSystem& system, std::uint64_t listWritten)
        : steps_(steps), system_(system), listWritten_(listWritten), isLead_(system.LeadBytes()) {
        for (const Step& step : steps)
            if (step.removesSelf) selfPath_ = step.entry.argument;
    }

    RunResult Run() {
        for (const Step& step : steps_) RunStep(step);
        // Items settled by a later success were only marked; drop them now,
        // in one pass, so that the run stays linear in the list's length.
        RunResult result;
        result.foldersAfterSelf = std::move(result_.foldersAfterSelf);
        for (std::size_t i = 0; i < result_.items.size(); ++i) {
            if (dropped_[i]) continue;
            if (selfIndex_ && *selfIndex_ == i) result.selfItem = result.items.size();
            result.items.push_back(std::move(result_.items[i]));
        }
        return result;
    }

private:
    void RunStep(const Step& step) {
        const std::string& arg = step.entry.argument;
        switch (step.entry.kind) {
            case EntryKind::Pattern:
                DeleteMatching(FolderOf(arg, isLead_), NameOf(arg, isLead_), "files " + arg, true);
                break;
            case EntryKind::EmptyFolder:
                RemoveFolder(StripTrailingSlash(arg, isLead_));
                break;
            case EntryKind::File:
                if (step.removesSelf) {
                    Add(Item{"file " + arg, ItemState::Pending, {}, arg});
                    selfIndex_ = result_.items.size() - 1;
                } else {
                    Add(FromOutcome("file " + arg, system_.RemoveFile(arg), arg));
                }
                break;
            case EntryKind::MachineKey:
                Add(FromOutcome(Describe(step.entry), system_.DeleteMachineKey(arg)));
                break;
            case EntryKind::StartMenuGroup: {
                std::string base;
                const Outcome where = system_.ProgramsFolder(base);
                if (where.status != Status::Removed) {
                    Add(FromOutcome(Describe(step.entry), Outcome::Error(where.reason)));
                    break;
                }
                const std::string folder = StripTrailingSlash(base) + "\\" + arg;
                DeleteMatching(folder, "*.lnk", "shortcuts " + folder + "\\*.lnk", false);
                RemoveFolder(folder);
                break;
            }
            case EntryKind::DesktopShortcut: {
                std::string base;
                const Outcome where = system_.DesktopFolder(base);
                if (where.status != Status::Removed) {
                    Add(FromOutcome(Describe(step.entry), Outcome::Error(where.reason)));
                    break;
                }
                const std::string path = StripTrailingSlash(base) + "\\" + arg;
                Add(FromOutcome("file " + path, system_.RemoveFile(path), path));
                break;
            }
        }
    }

    // Why a file a pattern matches is not the installation's, or nothing. One
    // that was there before the list was written (created or last written
    // earlier) is the user's or another program's: the setup writes the list
    // last, and the client's files come after it. Without the list's time,
    // or the file's, nothing is taken for the installation's.
    std::optional<std::string> WhyNotInstallations(const std::string& path) {
        const char* const before = "it was there before the installation";
        if (listWritten_ == 0) return before;
        PathFacts facts;
        if (system_.Inspect(path, facts).status != Status::Removed)
            return "its times cannot be read";
        if (facts.created < listWritten_ || facts.written < listWritten_) return before;
        return std::nullopt;
    }

    // One item per file deleted, kept or failed; one item for the whole
    // pattern when nothing matched or the folder cannot be read.
    void DeleteMatching(const std::string& folder, const std::string& pattern,
                        const std::string& what, bool keepOlder) {
        std::vector<FolderEntry> entries;
        const Outcome listed = system_.ListFolder(folder, entries);
        if (listed.status != Status::Removed) {
            Add(FromOutcome(what, listed));
            return;
        }
        bool any = false;
        for (const FolderEntry& e : entries) {
            if (e.isFolder || !WildcardMatch(pattern, e.name)) continue;
            any = true;
            const std::string path = folder + "\\" + e.name;
            if (e.name.find_first_of("\\/?") != std::string::npos) {
                kept_.insert(LowerCase(path));
                Add(Item{"file " + path, ItemState::Kept,
                         "its name cannot be spelt in this system's code page", path});
                continue;
            }
            if (const auto why = keepOlder ? WhyNotInstallations(path) : std::nullopt) {
                kept_.insert(LowerCase(path));
                Add(Item{"file " + path, ItemState::Kept, *why, path});
                continue;
            }
            Add(FromOutcome("file " + path, system_.RemoveFile(path), path));
        }
        if (!any) Add(Item{what, ItemState::Absent, {}, {}});
    }

    void RemoveFolder(const std::string& folder) {
        const Outcome outcome = system_.RemoveEmptyFolder(folder);
        Item item = FromOutcome("folder " + folder, outcome, folder);
        if (outcome.status == Status::Failed) {
            switch (WhatStaysIn(folder)) {
                case Rest::Other:
                    break;
                case Rest::ProgramOnly:
                    item.state = ItemState::Pending;
                    if (waiting_.insert(LowerCase(folder)).second)
                        result_.foldersAfterSelf.push_back(folder);
                    break;
                case Rest::KeptFiles:
                    item.state = ItemState::Kept;
                    item.reason = "it holds files that were there before the installation";
                    kept_.insert(LowerCase(folder));
                    break;
            }
        }
        Add(std::move(item));
    }

    enum class Rest {
        Other,        // something the list does not account for
        ProgramOnly,  // only the uninstaller itself, or folders waiting for it
        KeptFiles,    // files (or folders) kept as the user's, perhaps besides the program
    };

    // Why a folder that could not be removed is not empty.
    Rest WhatStaysIn(const std::string& folder) {
        std::vector<FolderEntry> entries;
        if (system_.ListFolder(folder, entries).status != Status::Removed || entries.empty())
            return Rest::Other;
        bool anyKept = false;
        for (const FolderEntry& e : entries) {
            const std::string path = LowerCase(folder + "\\" + e.name);
            const bool isSelf = !e.isFolder && !selfPath_.empty() && path == LowerCase(selfPath_);
            const bool waits = e.isFolder && waiting_.count(path) != 0;
            const bool kept = kept_.count(path) != 0;
            if (!isSelf && !waits && !kept) return Rest::Other;
            anyKept = anyKept || kept;
        }
        if (anyKept) return Rest::KeptFiles;
        return selfPath_.empty() ? Rest::Other : Rest::ProgramOnly;
    }

    // Records an item. The list may name an object twice (the data folder's
    // E line comes before and after the F lines that empty it, a P line may
    // keep the data file an F line then deletes): a later success settles an
    // earlier failure or keeping of the same object, and the same failure is
    // reported once. The items still open are kept per path, so that each
    // item costs the same however long the list is.
    void Add(Item item) {
        if (!item.path.empty()) {
            std::vector<std::size_t>& open = open_[LowerCase(item.path)];
            const bool unsettled = item.state == ItemState::Failed || item.state == ItemState::Kept;
            for (std::size_t index : open) {
                const Item& earlier = result_.items[index];
                if (unsettled && earlier.state == item.state && earlier.reason == item.reason)
                    return;
            }
            // A failure adds to earlier failures of other kinds; anything else
            // is the object's latest word and settles what came before.
            std::vector<std::size_t> still;
            for (std::size_t index : open) {
                if (item.state == ItemState::Failed &&
                    result_.items[index].state == ItemState::Failed)
                    still.push_back(index);
                else
                    dropped_[index] = true;
            }
            open = std::move(still);
            if (unsettled) open.push_back(result_.items.size());
        }
        result_.items.push_back(std::move(item));
        dropped_.push_back(false);
    }

    const std::vector<Step>& steps_;
    UninstallSystem& system_;
    const std::uint64_t listWritten_;
    const LeadByte isLead_;
    std::string selfPath_;
    RunResult result_;
    std::optional<std::size_t> selfIndex_;
    std::vector<bool> dropped_;
    std::unordered_map<std::string, std::vector<std::size_t>> open_;  // failed or kept, unsettled
    std::unordered_set<std::string> waiting_, kept_;
};

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
    std::vector<std::string> lines = Split(bytes, '\n');
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

std::optional<std::string> RefusalOf(const Entry& entry, LeadByte isLead) {
    const std::string& arg = entry.argument;
    switch (entry.kind) {
        case EntryKind::Pattern:
            if (LastBackslash(arg, isLead) == std::string::npos &&
                arg.find('/') == std::string::npos)
                return "has no folder part";
            return CheckDrivePath(arg, true, false, 2, isLead);
        case EntryKind::EmptyFolder:
            return CheckDrivePath(arg, false, true, 1, isLead);
        case EntryKind::File:
            return CheckDrivePath(arg, false, false, 1, isLead);
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

std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath) {
    return MakePlan(list, selfPath, Ownership{FolderOf(selfPath), true, {}, NoLeadBytes});
}

std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath,
                           const Ownership& owned) {
    if (!SameText(list.productName, kProductName))
        throw ListError("the first line names \"" + list.productName + "\", not " + kProductName);
    std::vector<Step> plan;
    std::optional<Step> self;
    for (const Entry& entry : list.entries) {
        std::optional<std::string> refusal = RefusalOf(entry, owned.isLead);
        if (!refusal) refusal = OutsideOf(entry, owned);
        if (refusal)
            throw ListError("line " + std::to_string(entry.line) + " (" + Describe(entry) + ") " +
                            *refusal);
        Step step{entry, false};
        if (entry.kind == EntryKind::File && !selfPath.empty() &&
            SameText(entry.argument, selfPath)) {
            step.removesSelf = true;
            if (!self) self = step;
            continue;
        }
        plan.push_back(std::move(step));
    }
    if (self) plan.push_back(std::move(*self));
    return plan;
}

void CheckPathsOnDisk(const std::vector<Step>& steps, UninstallSystem& system) {
    const LeadByte isLead = system.LeadBytes();
    // Folders are shared by many lines; each is looked at once.
    std::unordered_map<std::string, bool> isLink;
    auto linked = [&](const std::string& path) {
        auto [at, fresh] = isLink.emplace(LowerCase(path), false);
        if (fresh) {
            PathFacts facts;
            at->second =
                system.Inspect(path, facts).status == Status::Removed && facts.isReparsePoint;
        }
        return at->second;
    };
    std::unordered_map<std::string, std::string> refusals;  // per folder, "" when sound
    auto refuse = [](const Step& step, const std::string& part) {
        throw ListError("line " + std::to_string(step.entry.line) + " (" + Describe(step.entry) +
                        ") leads through " + part + ", which is a junction or a link");
    };
    // `folder` is where the line works; `file`, if any, the one object in it.
    auto check = [&](const Step& step, const std::string& folder, const std::string& file) {
        if (!file.empty() && linked(file)) refuse(step, file);
        auto [at, fresh] = refusals.emplace(LowerCase(folder), std::string());
        if (fresh) {
            const std::vector<std::string> chain = PathAndAncestors(folder, isLead);
            if (linked(folder)) {
                at->second = folder;
            } else {
                for (const std::string& part : chain) {
                    if (part.size() == folder.size() || !linked(part)) continue;
                    // Above the folder: fine as long as it still leads to a
                    // folder of the same name (a profile moved elsewhere).
                    std::string final;
                    if (system.FinalPath(folder, final).status != Status::Removed ||
                        !SameText(NameOf(final, isLead), NameOf(folder, isLead)))
                        at->second = part;
                    break;
                }
            }
        }
        if (!at->second.empty()) refuse(step, at->second);
    };
    std::string programs, desktop;
    bool programsAsked = false, desktopAsked = false;
    auto shellFolder = [&](bool& asked, std::string& folder,
                           bool programsFolder) -> const std::string& {
        if (!asked) {
            asked = true;
            const Outcome found =
                programsFolder ? system.ProgramsFolder(folder) : system.DesktopFolder(folder);
            if (found.status != Status::Removed) folder.clear();
            folder = StripTrailingSlash(folder);
        }
        return folder;
    };
    for (const Step& step : steps) {
        const std::string& arg = step.entry.argument;
        switch (step.entry.kind) {
            case EntryKind::Pattern:
                check(step, FolderOf(arg, isLead), {});
                break;
            case EntryKind::EmptyFolder:
                check(step, StripTrailingSlash(arg, isLead), {});
                break;
            case EntryKind::File:
                check(step, FolderOf(arg, isLead), arg);
                break;
            case EntryKind::MachineKey:
                break;
            case EntryKind::StartMenuGroup:
                if (const std::string& base = shellFolder(programsAsked, programs, true);
                    !base.empty())
                    check(step, base + "\\" + arg, {});
                break;
            case EntryKind::DesktopShortcut:
                if (const std::string& base = shellFolder(desktopAsked, desktop, false);
                    !base.empty())
                    check(step, base, base + "\\" + arg);
                break;
        }
    }
}

RunResult RunPlan(const std::vector<Step>& steps, UninstallSystem& system,
                  std::uint64_t listWritten) {
    return Runner(steps, system, listWritten).Run();
}

std::optional<RunResult> Uninstall(
    const std::string& listBytes, std::uint64_t listWritten, const std::string& selfPath,
    UninstallSystem& system, const std::function<bool(const std::string& productName)>& confirm,
    std::string& productName) {
    const Ownership owned = OwnershipOf(listBytes, selfPath, system);
    const UninstallList list = ParseUninstallList(listBytes);
    productName = list.productName;
    const std::vector<Step> plan = MakePlan(list, selfPath, owned);
    CheckPathsOnDisk(plan, system);
    if (!confirm(list.productName)) return std::nullopt;
    return RunPlan(plan, system, listWritten);
}

void SettleSelfRemoval(RunResult& result, SelfRemoval how, const std::string& reason) {
    auto settle = [&](Item& item) {
        switch (how) {
            case SelfRemoval::ByCopy:
                item.state = ItemState::Pending;
                break;
            case SelfRemoval::AtRestart:
                item.state = ItemState::AtRestart;
                break;
            case SelfRemoval::Failed:
                item.state = ItemState::Failed;
                if (!reason.empty()) item.reason = reason;
                break;
        }
    };
    if (result.selfItem) settle(result.items[*result.selfItem]);
    for (Item& item : result.items) {
        if (item.state != ItemState::Pending || item.path.empty()) continue;
        for (const std::string& folder : result.foldersAfterSelf)
            if (SameText(item.path, folder)) settle(item);
    }
}

bool EverythingRemoved(const RunResult& result) {
    return std::none_of(result.items.begin(), result.items.end(),
                        [](const Item& item) { return item.state == ItemState::Failed; });
}

std::string ReportMessage(const std::string& productName, const RunResult& result,
                          std::size_t maxItems) {
    auto listOf = [&](auto keep, bool withReason) {
        std::string text;
        std::size_t shown = 0, total = 0;
        for (const Item& item : result.items) {
            if (!keep(item)) continue;
            if (++total > maxItems) continue;
            ++shown;
            text += "\n" + item.what;
            if (withReason && !item.reason.empty()) text += ": " + item.reason;
        }
        if (total > shown) text += "\n... and " + std::to_string(total - shown) + " more";
        return text;
    };
    auto atRestart = [](const Item& item) { return item.state == ItemState::AtRestart; };
    std::string message;
    if (EverythingRemoved(result)) {
        message = productName + " has been removed from your computer.";
    } else {
        message = productName + " has been removed, except for these items, which could not be:\n" +
                  listOf([](const Item& item) { return item.state == ItemState::Failed; }, true) +
                  "\n\nYou may delete them yourself.";
    }
    auto kept = [](const Item& item) { return item.state == ItemState::Kept; };
    if (std::any_of(result.items.begin(), result.items.end(), kept))
        message += "\n\nThese items were there before " + productName +
                   " was installed and have been kept:\n" + listOf(kept, false);
    if (std::any_of(result.items.begin(), result.items.end(), atRestart))
        message +=
            "\n\nThese items will be removed when Windows restarts:\n" + listOf(atRestart, false);
    return message;
}

Invocation ParseInvocation(const std::vector<std::string>& params) {
    Invocation invocation;
    if (!params.empty() && SameText(params[0], "/cleanup")) {
        invocation.mode = Mode::Cleanup;
        if (params.size() < 3)
            throw ListError("/cleanup needs the original program and its process id");
        CleanupRequest& request = invocation.cleanup;
        request.original = params[1];
        if (auto refusal = CheckDrivePath(request.original, false, false, 1))
            throw ListError("the program to remove " + *refusal);
        if (!ParseProcessId(params[2], request.processId))
            throw ListError("the process id is not a number");
        for (std::size_t i = 3; i < params.size(); ++i) {
            if (auto refusal = CheckDrivePath(params[i], false, true, 1))
                throw ListError("the folder " + params[i] + " " + *refusal);
            request.folders.push_back(StripTrailingSlash(params[i]));
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
