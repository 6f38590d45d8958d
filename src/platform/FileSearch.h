#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace torvane::platform {

// One entry of a folder listing: its name as the file system spells it and
// its attributes (kAttributeHidden, kAttributeDirectory, ...).
struct FoundEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// A folder listing in progress (FindFirstFileA / FindNextFileA). Entries come
// in the order the file system gives them, "." and ".." included where it
// lists them; no attribute is filtered out here. Destroying it ends the
// listing.
class FileEnumeration {
public:
    virtual ~FileEnumeration() = default;
    // The next entry; false when the listing is done or failed partway.
    virtual bool Next(FoundEntry& entry) = 0;
};

// Searching folders by name, and the text comparison the search sorts by.
// Failures are returned, as a shorter listing: a folder that cannot be read is
// an expected outcome of walking a disk. Never throws.
class FileSearch {
public:
    virtual ~FileSearch() = default;
    // Lists the entries matching `pattern`: a folder path followed by a name
    // mask in the system's wildcard syntax ("*", "?"; "*.*" matches every
    // name), matched without regard to case. A folder that does not exist,
    // cannot be read or is on a drive that is not ready lists nothing. Never
    // null.
    virtual std::unique_ptr<FileEnumeration> Enumerate(const std::string& pattern) = 0;
    // The user locale's comparison of two texts ignoring case
    // (CompareStringA with NORM_IGNORECASE): negative, zero or positive.
    virtual int CompareTextIgnoringCase(const std::string& a, const std::string& b) = 0;
    // The process's current folder ("C:\Users\x").
    virtual std::string CurrentDirectory() = 0;
};

}  // namespace torvane::platform
