#include "uninstall/Confinement.h"

#include <cctype>

#include "common/CarriedVersion.h"

namespace torvane::uninstall {

const char* const kProductName = TORVANE_CARRIED_PRODUCT;

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool IsDigitOrSuperscript(char c) {
    // Windows also opens COM¹, COM², COM³ (Windows-1252 0xB9, 0xB2, 0xB3) as devices.
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

// The components of a drive path below its root ("C:\a\b" -> a, b).
std::vector<std::string> ComponentsOf(const std::string& path) {
    std::vector<std::string> names;
    std::size_t start = path.size() >= 3 ? 3 : path.size();
    while (start <= path.size()) {
        const std::size_t end = path.find('\\', start);
        const std::string name =
            path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!name.empty()) names.push_back(name);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return names;
}

std::string WithoutTrailingSlash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// A device name or an 8.3 spelling anywhere on the path.
std::optional<std::string> StrangeComponent(const std::string& path) {
    for (const std::string& name : ComponentsOf(path)) {
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

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    base = Upper(base);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$" || base == "CLOCK$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           IsDigitOrSuperscript(base[3]);
}

bool IsShortName(const std::string& name) {
    const std::string base = name.substr(0, name.find('.'));
    const std::size_t tilde = base.find('~');
    if (tilde == std::string::npos || tilde == 0 || tilde + 1 >= base.size()) return false;
    for (std::size_t i = tilde + 1; i < base.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(base[i]))) return false;
    return true;
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
