#include "uninstall/Confinement.h"

#include <cctype>

#include "base/InstallLayout.h"
#include "base/PathNames.h"

namespace torvane::uninstall {

const char* const kProductName = layout::kProductName;

namespace {

std::string WithoutTrailingSlash(std::string path, LeadByte isLead) {
    if (path.size() > 3 && LastBackslash(path, isLead) == path.size() - 1) path.pop_back();
    return path;
}

// A device name or an 8.3 spelling anywhere on the path.
std::optional<std::string> StrangeComponent(const std::string& path, LeadByte isLead) {
    for (const std::string& name : PathParts(path, isLead)) {
        if (IsDeviceName(name)) return "names the device " + name;
        if (IsShortName(name)) return "uses the short (8.3) name " + name;
    }
    return std::nullopt;
}

// The folder holds this installation's files: the uninstaller's own folder
// or a product folder.
bool IsOwnedFolder(const std::string& folder, const Ownership& owned) {
    if (!owned.ownFolder.empty() && SameText(folder, owned.ownFolder)) return true;
    if (owned.anyProductFolder) return SameText(NameOf(folder, owned.isLead), kProductName);
    for (const std::string& productFolder : owned.productFolders)
        if (SameText(folder, productFolder)) return true;
    return false;
}

std::string ProductFolderWords(const Ownership& owned) {
    return owned.anyProductFolder ? "a folder named " + std::string(kProductName)
                                  : "a user's data folder of " + std::string(kProductName);
}

}  // namespace

std::optional<std::string> OutsideOf(const Entry& entry, const std::string& ownFolder) {
    return OutsideOf(entry, Ownership{ownFolder, true, {}, NoLeadBytes});
}

std::optional<std::string> OutsideOf(const Entry& entry, const Ownership& owned) {
    const std::string& arg = entry.argument;
    switch (entry.kind) {
        case EntryKind::Pattern:
        case EntryKind::File: {
            if (auto strange = StrangeComponent(arg, owned.isLead)) return strange;
            if (!IsOwnedFolder(FolderOf(arg, owned.isLead), owned))
                return "is not directly in the uninstaller's folder or in " +
                       ProductFolderWords(owned);
            return std::nullopt;
        }
        case EntryKind::EmptyFolder: {
            const std::string folder = WithoutTrailingSlash(arg, owned.isLead);
            if (auto strange = StrangeComponent(folder, owned.isLead)) return strange;
            if (!IsOwnedFolder(folder, owned))
                return "is neither the uninstaller's folder nor " + ProductFolderWords(owned);
            return std::nullopt;
        }
        case EntryKind::MachineKey:
            if (!SameText(arg, layout::kUninstallKey))
                return "is not the uninstall key of " + std::string(kProductName);
            return std::nullopt;
        case EntryKind::StartMenuGroup:
            if (!SameText(arg, layout::kStartMenuGroup))
                return "is not the Start-menu group " + std::string(kProductName);
            return std::nullopt;
        case EntryKind::DesktopShortcut:
            if (!SameText(arg, layout::kClientShortcut))
                return "is not the desktop shortcut " + std::string(kProductName) + ".Lnk";
            return std::nullopt;
    }
    return "has an unknown kind";
}

}  // namespace torvane::uninstall
