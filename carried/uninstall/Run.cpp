#include "uninstall/Run.h"

#include <unordered_map>
#include <unordered_set>

#include "uninstall/DiskCheck.h"
#include "uninstall/KeepRule.h"
#include "uninstall/ListDigest.h"

namespace torvane::uninstall {

namespace {

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
                RemoveFolder(WithoutTrailingBackslash(arg, isLead_));
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
                Add(FromOutcome(DescribeEntry(step.entry), system_.DeleteMachineKey(arg)));
                break;
            case EntryKind::StartMenuGroup: {
                std::string base;
                const Outcome where = system_.ProgramsFolder(base);
                if (where.status != Status::Removed) {
                    Add(FromOutcome(DescribeEntry(step.entry), Outcome::Error(where.reason)));
                    break;
                }
                const std::string folder = WithoutTrailingBackslash(base) + "\\" + arg;
                DeleteMatching(folder, "*.lnk", "shortcuts " + folder + "\\*.lnk", false);
                RemoveFolder(folder);
                break;
            }
            case EntryKind::DesktopShortcut: {
                std::string base;
                const Outcome where = system_.DesktopFolder(base);
                if (where.status != Status::Removed) {
                    Add(FromOutcome(DescribeEntry(step.entry), Outcome::Error(where.reason)));
                    break;
                }
                const std::string path = WithoutTrailingBackslash(base) + "\\" + arg;
                Add(FromOutcome("file " + path, system_.RemoveFile(path), path));
                break;
            }
        }
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
            if (const auto why = WhyKept(e.name, path, keepOlder, listWritten_, system_)) {
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

}  // namespace

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

}  // namespace torvane::uninstall
