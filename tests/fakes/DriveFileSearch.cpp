#include "fakes/DriveFileSearch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace torvane::testing {

namespace fs = std::filesystem;

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string text) {
    for (char& c : text) c = Lower(c);
    return text;
}

bool Match(const char* name, const char* mask) {
    for (; *mask; ++mask, ++name) {
        if (*mask == '*') {
            for (const char* rest = name;; ++rest) {
                if (Match(rest, mask + 1)) return true;
                if (!*rest) return false;
            }
        }
        if (!*name) return false;
        if (*mask != '?' && Lower(*mask) != Lower(*name)) return false;
    }
    return !*name;
}

class ListEnumeration : public platform::FileEnumeration {
public:
    explicit ListEnumeration(std::vector<platform::FoundEntry> entries)
        : entries_(std::move(entries)) {}
    bool Next(platform::FoundEntry& entry) override {
        if (next_ >= entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

private:
    std::vector<platform::FoundEntry> entries_;
    std::size_t next_ = 0;
};

// The host folder of a Windows folder path, each name matched without regard
// to case as Windows would; nothing when it does not exist.
std::optional<fs::path> FindHostFolder(TempDrives& drives, const std::string& folder) {
    if (folder.size() < 2) return std::nullopt;
    const std::optional<fs::path> root = drives.HostPath(folder.substr(0, 2));
    const std::optional<fs::path> asked = drives.HostPath(folder);
    if (!root || !asked) return std::nullopt;
    fs::path host = *root;
    std::error_code error;
    for (const fs::path& part : asked->lexically_relative(*root)) {
        if (part == ".") continue;
        if (fs::is_directory(host / part, error)) {
            host /= part;
            continue;
        }
        bool found = false;
        for (const fs::directory_entry& entry : fs::directory_iterator(host, error)) {
            if (LowerAscii(entry.path().filename().string()) == LowerAscii(part.string()) &&
                entry.is_directory(error)) {
                host = entry.path();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    if (!fs::is_directory(host, error)) return std::nullopt;
    return host;
}

}  // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
    return Match(name.c_str(), mask == "*.*" ? "*" : mask.c_str());
}

std::unique_ptr<platform::FileEnumeration> DriveFileSearch::Enumerate(const std::string& pattern) {
    asked.push_back(pattern);
    std::vector<platform::FoundEntry> entries;
    const std::size_t slash = pattern.rfind('\\');
    if (slash == std::string::npos) return std::make_unique<ListEnumeration>(entries);
    const std::string folder = pattern.substr(0, slash + 1);
    const std::string mask = pattern.substr(slash + 1);
    const std::optional<fs::path> host = FindHostFolder(drives_, folder);
    if (!host) return std::make_unique<ListEnumeration>(entries);

    if (folder.size() > 3) {
        for (const char* dots : {".", ".."})
            if (MatchesMask(dots, mask)) entries.push_back({dots, platform::kAttributeDirectory});
    }
    std::vector<platform::FoundEntry> named;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(*host, error)) {
        const std::string name = entry.path().filename().string();
        if (!MatchesMask(name, mask)) continue;
        std::uint32_t attributes = entry.is_directory(error) ? platform::kAttributeDirectory : 0x20;
        // A host symbolic link stands for a junction or a link.
        if (entry.is_symlink(error)) attributes |= platform::kAttributeReparsePoint;
        if (files_.hidden.count(folder + name)) attributes |= platform::kAttributeHidden;
        named.push_back({name, attributes});
    }
    std::sort(named.begin(), named.end(),
              [](const platform::FoundEntry& a, const platform::FoundEntry& b) {
                  const std::string lowerA = LowerAscii(a.name), lowerB = LowerAscii(b.name);
                  return lowerA != lowerB ? lowerA < lowerB : a.name < b.name;
              });
    entries.insert(entries.end(), named.begin(), named.end());

    const auto failing = failAfter.find(folder);
    if (failing != failAfter.end() && entries.size() > failing->second)
        entries.resize(failing->second);
    return std::make_unique<ListEnumeration>(std::move(entries));
}

int DriveFileSearch::CompareTextIgnoringCase(const std::string& a, const std::string& b) {
    return LowerAscii(a).compare(LowerAscii(b));
}

}  // namespace torvane::testing
