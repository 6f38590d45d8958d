#include "uninstall/DiskCheck.h"

#include <unordered_map>

namespace torvane::uninstall {

namespace {

// Every folder from the first below the drive root down to `path` itself
// ("C:\a\b" -> "C:\a", "C:\a\b").
std::vector<std::string> PathAndAncestors(const std::string& path, LeadByte isLead) {
    std::vector<std::string> chain;
    for (std::size_t slash : BackslashOffsets(path, isLead))
        if (slash > 2) chain.push_back(path.substr(0, slash));
    chain.push_back(path);
    return chain;
}

}  // namespace

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
    auto refuse = [](const Step& step, const std::string& part) {
        throw ListError("line " + std::to_string(step.entry.line) + " (" +
                        DescribeEntry(step.entry) + ") leads through " + part +
                        ", which is a junction or a link");
    };
    // `folder` is where the line works; `file`, if any, the one object in it.
    // A folder found sound is not looked at again (a refusal ends the check).
    std::unordered_map<std::string, bool> sound;
    auto check = [&](const Step& step, const std::string& folder, const std::string& file) {
        if (!file.empty() && linked(file)) refuse(step, file);
        if (!sound.emplace(LowerCase(folder), true).second) return;
        if (linked(folder)) refuse(step, folder);
        for (const std::string& part : PathAndAncestors(folder, isLead)) {
            if (part.size() == folder.size() || !linked(part)) continue;
            // Above the folder: fine as long as it still leads to a folder of
            // the same name (a profile moved elsewhere).
            std::string final;
            if (system.FinalPath(folder, final).status != Status::Removed ||
                !SameText(NameOf(final, isLead), NameOf(folder, isLead)))
                refuse(step, part);
            break;
        }
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
            folder = WithoutTrailingBackslash(folder);
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
                check(step, WithoutTrailingBackslash(arg, isLead), {});
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

}  // namespace torvane::uninstall
