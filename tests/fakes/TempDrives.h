#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Drives.h"

namespace torvane::testing {

// Drive letters backed by real folders under a fresh temporary folder, which
// goes with the object: drive C: is <tmp>/C, and "C:\a\b" is <tmp>/C/a/b.
// Each drive has the type GetDriveTypeA would give; a letter without a drive,
// or a root not written "X:\", is NoRootDirectory, as the system answers.
class TempDrives : public platform::Drives {
public:
    TempDrives();
    ~TempDrives() override;
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    // Adds (or retypes) a drive; its folder is created empty the first time.
    void Add(char letter, platform::DriveType type);

    std::vector<char> Letters() override;
    platform::DriveType TypeOf(const std::string& root) override;

    // The host path of a Windows path "X:\..." on one of the drives (the
    // letter in either case, '\' or '/' between names); nothing for any other
    // path, and for one with a ".." part, which could leave the drive.
    std::optional<std::filesystem::path> HostPath(const std::string& windowsPath) const;

    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
    std::map<char, platform::DriveType> types_;
};

}  // namespace torvane::testing
