#include "fakes/TempDrives.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "fakes/NoCase.h"
#include "platform/FileSystem.h"

namespace torvane::testing {

namespace {
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
}  // namespace

TempDrives::TempDrives() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "torvane-drives-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
    root_ = pattern;
}

TempDrives::~TempDrives() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempDrives::Add(char letter, platform::DriveType type) {
    letter = Upper(letter);
    types_[letter] = type;
    std::filesystem::create_directories(root_ / std::string(1, letter));
}

std::vector<char> TempDrives::Letters() {
    std::vector<char> letters;
    for (const auto& entry : types_) letters.push_back(entry.first);
    return letters;
}

platform::DriveType TempDrives::TypeOf(const std::string& root) {
    if (root.size() != 3 || root[1] != ':' || root[2] != '\\')
        return platform::DriveType::NoRootDirectory;
    const auto it = types_.find(Upper(root[0]));
    return it == types_.end() ? platform::DriveType::NoRootDirectory : it->second;
}

namespace {

// The name as it is spelled on the disk when `folder` holds an entry of that
// name in another letter case (Windows finds "Torvane.Exe" as "torvane.exe");
// otherwise the name as given, for something yet to be made.
std::string ExistingSpelling(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) return name;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string onDisk = entry.path().filename().string();
        if (SameNoCase(onDisk, name)) return onDisk;
    }
    return name;
}

}  // namespace

std::optional<std::filesystem::path> TempDrives::HostPath(const std::string& windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    // As the system opens it: "." and ".." resolved within the drive, the
    // last name without its trailing dots and blanks.
    const std::string path = platform::ResolvePathText(windowsPath).value_or(windowsPath);
    const char letter = Upper(path[0]);
    if (!types_.count(letter)) return std::nullopt;
    std::filesystem::path host = root_ / std::string(1, letter);
    std::string name;
    // One character past the end flushes the last name.
    for (std::size_t i = 2; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '\\';
        if (c != '\\' && c != '/') {
            name += c;
            continue;
        }
        if (name == "..") return std::nullopt;
        if (!name.empty() && name != ".") {
            const std::optional<std::string> longName = LongNameOf(host, name);
            host /= longName ? *longName : ExistingSpelling(host, name);
        }
        name.clear();
    }
    return host;
}

namespace {

std::string AliasKey(const std::filesystem::path& hostFolder, const std::string& name) {
    std::string key = hostFolder.lexically_normal().string() + '|' + name;
    for (char& c : key) c = FoldCase(c);
    return key;
}

}  // namespace

void TempDrives::AddShortName(const std::string& longPath, const std::string& shortName) {
    const std::optional<std::filesystem::path> host = HostPath(longPath);
    std::error_code error;
    if (!host || !std::filesystem::exists(*host, error))
        throw std::invalid_argument("no such file or folder for a short name: " + longPath);
    shortNames_[AliasKey(host->parent_path(), shortName)] = host->filename().string();
}

std::optional<std::string> TempDrives::LongNameOf(const std::filesystem::path& hostFolder,
                                                  const std::string& name) const {
    const auto it = shortNames_.find(AliasKey(hostFolder, name));
    if (it == shortNames_.end()) return std::nullopt;
    // A real entry of that name comes first.
    std::error_code error;
    if (std::filesystem::exists(hostFolder / ExistingSpelling(hostFolder, name), error))
        return std::nullopt;
    return it->second;
}

}  // namespace torvane::testing
