#include "lib/LIB_FolderHelpers.h"

namespace torvane {

namespace {

// Blanks and control characters, compared as unsigned so that characters of
// the upper half of the code page (negative as char) are not taken for them.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

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

bool FolderHoldsAnything(platform::FileSearch& search, const std::string& folder) {
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    std::unique_ptr<platform::FileEnumeration> listing = search.Enumerate(prefix + "*");
    platform::FoundEntry entry;
    while (listing->Next(entry))
        if (entry.name != "." && entry.name != "..") return true;
    return false;
}

}  // namespace torvane
