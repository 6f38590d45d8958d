#pragma once
#include "platform/Drives.h"

namespace torvane::platform::win32 {

// Drive letters from GetLogicalDrives, types from GetDriveTypeA.
class Win32Drives : public Drives {
public:
    std::vector<char> Letters() override;
    DriveType TypeOf(const std::string& root) override;
};

}  // namespace torvane::platform::win32
