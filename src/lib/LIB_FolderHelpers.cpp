#include "lib/LIB_FolderHelpers.h"

#include <vector>

#include "base/Text.h"

namespace torvane {

namespace {

bool IsDigitOrSuperscript(char c) {
    // Windows also opens COM¹, COM², COM³ (Windows-1252 0xB9, 0xB2, 0xB3) as devices.
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

// The parts of a drive path below its root ("C:\\a\\b\\" -> a, b).
std::vector<std::string> PartsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\') {
            part += path[i];
            continue;
        }
        if (!part.empty()) parts.push_back(part);
        part.clear();
    }
    return parts;
}

}  // namespace

bool IsValidFolderName(const std::string& text) {
    if (text.size() < 3) return false;
    if (IsBlank(text.front()) || IsBlank(text.back())) return false;
    if (text[1] != ':' || text[2] != '\\') return false;
    if (text.find("\\\\") != std::string::npos) return false;
    return text.find_first_of("\"*/:<>?", 2) == std::string::npos;
}

bool FolderExists(platform::FileSystem& files, const std::string& path) {
    const std::optional<std::uint32_t> attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) != 0;
}

std::string FolderOrParent(platform::FileSystem& files, const std::string& text) {
    if (FolderExists(files, text)) return text;
    std::string path = text;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    // A name is put after the path so that its last part is always taken for
    // a folder, whatever it looks like.
    path += ".txt";
    const std::size_t last = path.find_last_of("\\:");
    if (last == std::string::npos) return "";
    // A separator is dropped with the name, except the one of a root ("D:\")
    // or of a leading double backslash.
    if (path[last] == '\\' && last > 0 && path[last - 1] != '\\' && path[last - 1] != ':')
        return path.substr(0, last);
    return path.substr(0, last + 1);
}

}  // namespace torvane

namespace torvane {

std::optional<std::string> CanonicalFolderName(platform::FileSystem& files,
                                               const std::string& text) {
    if (text.size() < 3) return std::nullopt;
    std::string stripped = text.substr(0, 3);
    for (const std::string& typed : PartsOf(text)) {
        std::string part = typed;
        if (part != "." && part != "..") {
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
            if (part.empty()) return std::nullopt;
        }
        stripped += part + "\\";
    }
    if (text.back() != '\\' && stripped.size() > 3) stripped.pop_back();

    const std::optional<std::string> full = files.FullLongPath(stripped);
    if (!full || full->size() < 3 || !IsValidFolderName(*full)) return std::nullopt;
    const std::vector<std::string> parts = PartsOf(*full);
    if (parts.empty()) return std::nullopt;
    for (const std::string& part : parts)
        if (IsDeviceName(part) || IsShortName(part)) return std::nullopt;
    return full;
}

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    base = UpperCase(base);
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
        if (base[i] < '0' || base[i] > '9') return false;
    return true;
}

bool FolderHoldsAnything(platform::FileSearch& search, const std::string& folder) {
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    std::unique_ptr<platform::FileEnumeration> listing = search.Enumerate(prefix + "*");
    platform::FoundEntry entry;
    while (listing->Next(entry))
        if (entry.name != "." && entry.name != "..") return true;
    return false;
}

}  // namespace torvane
