#pragma once
#include "platform/Shell.h"
#include "platform/win32/Win32Processes.h"

namespace torvane::platform::win32 {

// Special folders through SHGetFolderPathA, shortcuts through the shell link
// object (IShellLinkA + IPersistFile), documents through `processes`'s
// Open (ShellExecuteA, or the hand-off to the user's shell when elevated). A
// shortcut to a web address holds the shell's item for it (UrlItemList.h),
// one to a file its path.
// CreateShortcut needs COM on the calling thread (ComApartment).
class Win32Shell : public Shell {
public:
    explicit Win32Shell(Win32Processes& processes) : processes_(processes) {}
    std::optional<std::string> FolderPath(SpecialFolder folder) override;
    void CreateShortcut(const std::string& target, const std::string& linkFile,
                        const std::string& description, int iconIndex,
                        const std::string& arguments) override;
    StartResult Open(const std::string& what, bool asUser) override;

private:
    Win32Processes& processes_;
};

}  // namespace torvane::platform::win32
