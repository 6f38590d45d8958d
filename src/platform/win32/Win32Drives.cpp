#include "platform/win32/Win32Drives.h"

#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

std::vector<char> Win32Drives::Letters() {
    const DWORD mask = ::GetLogicalDrives();
    std::vector<char> letters;
    for (int i = 0; i < 26; ++i)
        if (mask & (DWORD{1} << i)) letters.push_back(static_cast<char>('A' + i));
    return letters;
}

DriveType Win32Drives::TypeOf(const std::string& root) {
    const UINT type = ::GetDriveTypeA(root.c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

}  // namespace torvane::platform::win32
