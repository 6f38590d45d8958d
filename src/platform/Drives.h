#pragma once
#include <string>
#include <vector>

namespace torvane::platform {

// Drive types as GetDriveTypeA gives them.
enum class DriveType {
    Unknown = 0,
    NoRootDirectory = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6
};

// Failures are returned: a drive that cannot be asked is Unknown or
// NoRootDirectory, which the disk search simply passes over. Never throws.
class Drives {
public:
    virtual ~Drives() = default;
    // The drive letters in use, upper case, A to Z order.
    virtual std::vector<char> Letters() = 0;
    // The type of a drive given by its root ("C:\").
    virtual DriveType TypeOf(const std::string& root) = 0;
};

}  // namespace torvane::platform
