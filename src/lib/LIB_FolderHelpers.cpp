#include "lib/LIB_FolderHelpers.h"

#include <vector>

#include "base/PathNames.h"
#include "base/Text.h"

namespace torvane {

namespace {}  // namespace

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
    for (const std::string& typed : PathParts(text)) {
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
    const std::vector<std::string> parts = PathParts(*full);
    if (parts.empty()) return std::nullopt;
    for (const std::string& part : parts)
        if (IsDeviceName(part) || IsShortName(part)) return std::nullopt;
    return full;
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
