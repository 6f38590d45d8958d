#include "uninstall/Confinement.h"

#include <cctype>

#include "base/PathNames.h"
#include "common/CarriedVersion.h"

namespace torvane::uninstall {

const char* const kProductName = TORVANE_CARRIED_PRODUCT;

namespace {

std::string WithoutTrailingSlash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// A device name or an 8.3 spelling anywhere on the path.
std::optional<std::string> StrangeComponent(const std::string& path) {
    for (const std::string& name : PathParts(path)) {
        if (IsDeviceName(name)) return "names the device " + name;
        if (IsShortName(name)) return "uses the short (8.3) name " + name;
    }
    return std::nullopt;
}

// The folder holds this installation's files: the uninstaller's own folder
// or one named after the product.
bool IsOwnedFolder(const std::string& folder, const std::string& ownFolder) {
    return (!ownFolder.empty() && SameText(folder, ownFolder)) ||
           SameText(NameOf(folder), kProductName);
}

}  // namespace

std::string UninstallKeyOf(const std::string& product) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product;
}

std::optional<std::string> OutsideOf(const Entry& entry, const std::string& ownFolder) {
    const std::string& arg = entry.argument;
    switch (entry.kind) {
        case EntryKind::Pattern:
        case EntryKind::File: {
            if (auto strange = StrangeComponent(arg)) return strange;
            if (!IsOwnedFolder(FolderOf(arg), ownFolder))
                return "is not directly in the uninstaller's folder or in a folder named " +
                       std::string(kProductName);
            return std::nullopt;
        }
        case EntryKind::EmptyFolder: {
            const std::string folder = WithoutTrailingSlash(arg);
            if (auto strange = StrangeComponent(folder)) return strange;
            if (!IsOwnedFolder(folder, ownFolder))
                return "is neither the uninstaller's folder nor a folder named " +
                       std::string(kProductName);
            return std::nullopt;
        }
        case EntryKind::MachineKey:
            if (!SameText(arg, UninstallKeyOf(kProductName)))
                return "is not the uninstall key of " + std::string(kProductName);
            return std::nullopt;
        case EntryKind::StartMenuGroup:
            if (!SameText(arg, kProductName))
                return "is not the Start-menu group " + std::string(kProductName);
            return std::nullopt;
        case EntryKind::DesktopShortcut:
            if (!SameText(arg, std::string(kProductName) + ".Lnk"))
                return "is not the desktop shortcut " + std::string(kProductName) + ".Lnk";
            return std::nullopt;
    }
    return "has an unknown kind";
}

}  // namespace torvane::uninstall
