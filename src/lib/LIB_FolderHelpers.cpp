#include "lib/LIB_FolderHelpers.h"

#include <vector>

#include "base/PathNames.h"
#include "base/Text.h"

namespace torvane {

bool IsValidFolderName(const std::string& text, LeadByte isLead) {
    if (text.size() < 3) return false;
    if (IsBlank(text.front()) || IsBlank(text.back())) return false;
    if (text[1] != ':' || text[2] != '\\') return false;
    const std::vector<std::size_t> backslashes = BackslashOffsets(text, isLead);
    for (std::size_t i = 1; i < backslashes.size(); ++i)
        if (backslashes[i] == backslashes[i - 1] + 1) return false;  // doubled
    return !HasCharacterOf(text.substr(2), "\"*/:<>?", isLead);
}

bool FolderExists(platform::FileSystem& files, const std::string& path) {
    const std::optional<std::uint32_t> attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) != 0;
}

std::string FolderOrParent(platform::FileSystem& files, const std::string& text) {
    if (FolderExists(files, text)) return text;
    const LeadByte isLead = files.LeadBytes();
    std::string path = text;
    if (EndsWithBackslash(path, isLead)) path.pop_back();
    // A name is put after the path so that its last part is always taken for
    // a folder, whatever it looks like.
    path += ".txt";
    const std::vector<std::size_t> separators = CharacterOffsets(path, "\\:", isLead);
    if (separators.empty()) return "";
    const std::size_t last = separators.back();
    // A separator is dropped with the name, except the one of a root ("D:\")
    // or of a leading double backslash.
    const bool afterSeparator =
        separators.size() > 1 && separators[separators.size() - 2] == last - 1;
    if (path[last] == '\\' && last > 0 && !afterSeparator) return path.substr(0, last);
    return path.substr(0, last + 1);
}

}  // namespace torvane

namespace torvane {

std::optional<std::string> CanonicalFolderName(platform::FileSystem& files,
                                               const std::string& text) {
    if (text.size() < 3) return std::nullopt;
    const LeadByte isLead = files.LeadBytes();
    std::string stripped = text.substr(0, 3);
    for (const std::string& typed : PathParts(text, isLead)) {
        std::string part = typed;
        if (part != "." && part != "..") {
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
            if (part.empty()) return std::nullopt;
        }
        stripped += part + "\\";
    }
    if (!EndsWithBackslash(text, isLead) && stripped.size() > 3) stripped.pop_back();

    const std::optional<std::string> full = files.FullLongPath(stripped);
    if (!full || full->size() < 3 || !IsValidFolderName(*full, isLead)) return std::nullopt;
    const std::vector<std::string> parts = PathParts(*full, isLead);
    if (parts.empty()) return std::nullopt;
    for (const std::string& part : parts)
        if (IsDeviceName(part) || IsShortName(part)) return std::nullopt;
    return full;
}

bool FolderHoldsAnything(platform::FileSearch& search, const std::string& folder, LeadByte isLead) {
    const std::string prefix = folder.empty() ? folder : WithBackslash(folder, isLead);
    std::unique_ptr<platform::FileEnumeration> listing = search.Enumerate(prefix + "*");
    platform::FoundEntry entry;
    while (listing->Next(entry))
        if (entry.name != "." && entry.name != "..") return true;
    return false;
}

}  // namespace torvane
