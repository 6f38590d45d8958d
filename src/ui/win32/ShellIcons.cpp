#include "ui/win32/ShellIcons.h"

// clang-format off
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

namespace torvane::ui::win32 {

namespace {

// SHGetFileInfoA for a path, or for My Computer's item list when `path` is empty.
bool AskShell(const std::string& path, UINT flags, SHFILEINFOA& info) {
    if (!path.empty()) return ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags) != 0;
    LPITEMIDLIST computer = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)) || !computer)
        return false;
    const bool found = ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(computer), 0, &info, sizeof info,
                                        flags | SHGFI_PIDL) != 0;
    ::CoTaskMemFree(computer);
    return found;
}

}  // namespace

HICON ShellIcons::Small(const std::string& path, bool open) {
    const UINT kind = SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    const auto key = std::make_pair(path, open);
    auto known = indexOf_.find(key);
    if (known == indexOf_.end()) {
        SHFILEINFOA info{};
        const int index = AskShell(path, SHGFI_SYSICONINDEX | kind, info) ? info.iIcon : -1;
        known = indexOf_.emplace(key, index).first;
    }
    const int index = known->second;
    if (index < 0) return nullptr;
    auto icon = icons_.find(index);
    if (icon == icons_.end()) {
        SHFILEINFOA info{};
        platform::win32::UniqueIcon made;
        if (AskShell(path, SHGFI_ICON | kind, info)) made.Reset(info.hIcon);
        icon = icons_.emplace(index, std::move(made)).first;
    }
    return icon->second.Get();
}

}  // namespace torvane::ui::win32
