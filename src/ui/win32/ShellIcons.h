#pragma once
#include <map>
#include <string>
#include <utility>

#include "base/win32/UniqueHandle.h"

namespace torvane::ui::win32 {

// The small icons the shell shows for My Computer, drives and folders, as
// Explorer shows them: looked up in the system image list
// (SHGetFileInfoA, SHGFI_SYSICONINDEX | SHGFI_SMALLICON) and drawn with
// DrawIconEx, so no common-controls library is needed for the image list.
// One icon per system image list index, made on first use and kept.
class ShellIcons {
public:
    // The icon for `path` ("" for My Computer); `open` for an open folder.
    // nullptr when the shell has none.
    HICON Small(const std::string& path, bool open);

private:
    std::map<std::pair<std::string, bool>, int> indexOf_;  // -1: the shell has none
    std::map<int, platform::win32::UniqueIcon> icons_;
};

}  // namespace torvane::ui::win32
