#pragma once
#include <map>
#include <string>

#include "fakes/DriveFileSystem.h"
#include "fakes/TempDrives.h"
#include "platform/FileSearch.h"

namespace torvane::testing {

// Folder listings of the fake drives, as FindFirstFileA gives them: the
// folder is found without regard to case (as on Windows, though the host's
// folders are case-sensitive), names match the mask without regard to case,
// "*.*" matches every name, and a folder other than a drive root lists "."
// and ".." first. Entries then come in the order of their lower-cased names,
// as NTFS lists them. The hidden attribute comes from the file system's
// `hidden` set; a missing folder lists nothing.
//
// `failAfter` makes the listing of a folder (its Windows path with the
// trailing backslash, exactly as asked) fail after that many entries, as a
// listing that breaks partway does. The comparison is ordinal ignoring the
// case of A to Z; the current folder is `currentDirectory`.
class DriveFileSearch : public platform::FileSearch {
public:
    DriveFileSearch(TempDrives& drives, DriveFileSystem& files) : drives_(drives), files_(files) {}

    std::unique_ptr<platform::FileEnumeration> Enumerate(const std::string& pattern) override;
    int CompareTextIgnoringCase(const std::string& a, const std::string& b) override;
    std::string CurrentDirectory() override { return currentDirectory; }

    std::string currentDirectory = "C:\\users\\test\\Downloads";
    std::map<std::string, std::size_t> failAfter;
    // Every pattern asked for, in order.
    std::vector<std::string> asked;

private:
    TempDrives& drives_;
    DriveFileSystem& files_;
};

// Whether a name matches a mask of "*" and "?" without regard to case; "*.*"
// matches every name.
bool MatchesMask(const std::string& name, const std::string& mask);

}  // namespace torvane::testing
