#pragma once
#include "platform/Shell.h"

namespace torvane::platform::win32 {

// Special folders through SHGetFolderPathA, shortcuts through the shell link
// object (IShellLinkA + IPersistFile), documents through ShellExecuteA. A
// shortcut to a web address holds the shell's item for it (UrlItemList.h),
// one to a file its path.
// CreateShortcut needs COM on the calling thread (ComApartment).
class Win32Shell : public Shell {
public:
    std::optional<std::string> FolderPath(SpecialFolder folder) override;
    void CreateShortcut(const std::string& target, const std::string& linkFile,
                        const std::string& description, int iconIndex,
                        const std::string& arguments) override;
    void Open(const std::string& what) override;
};

}  // namespace torvane::platform::win32
