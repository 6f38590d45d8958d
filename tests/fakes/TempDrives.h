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
    // letter in either case, '\' or '/' between names, short names as their
    // long ones, "." and ".." resolved within the drive and the last name's
    // trailing dots and blanks dropped, as the system does); nothing for any
    // other path.
    std::optional<std::filesystem::path> HostPath(const std::string& windowsPath) const;

    // Gives the file or folder `longPath` (made by the test) the 8.3 alias
    // `shortName` ("PROGRA~1"), as NTFS makes one up: every path through the
    // alias reaches it, in any letter case, while the alias is not the name
    // of something else in the same folder.
    void AddShortName(const std::string& longPath, const std::string& shortName);
    // The long name of `name` in the folder at `hostFolder` when `name` is
    // an alias there and nothing there is named so; nothing otherwise.
    std::optional<std::string> LongNameOf(const std::filesystem::path& hostFolder,
                                          const std::string& name) const;

    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
    std::map<char, platform::DriveType> types_;
    // Key: the host folder and the alias, both lower-cased; value: the long name.
    std::map<std::string, std::string> shortNames_;
};

}  // namespace torvane::testing
