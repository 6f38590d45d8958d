#pragma once
#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

// The uninstall operations on the real system: files and folders deleted
// through a handle whose final path is checked first (no link, junction or
// short name leads elsewhere), the key through RegDeleteKeyA (32-bit registry view,
// as the 32-bit setup wrote it), the user's Start-menu programs and desktop
// folders through SHGetFolderPathA, the list's digest and the profiles from
// HKEY_LOCAL_MACHINE.
class Win32UninstallSystem : public UninstallSystem {
public:
    Outcome Inspect(const std::string& path, PathFacts& facts) override;
    Outcome ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
    Outcome RemoveFile(const std::string& path) override;
    Outcome RemoveEmptyFolder(const std::string& path) override;
    Outcome DeleteMachineKey(const std::string& subkey) override;
    Outcome ProgramsFolder(std::string& folder) override;
    Outcome DesktopFolder(std::string& folder) override;
    // From the uninstall key: its digest value, when its "UninstallString"
    // names `selfPath`.
    Outcome RecordedListDigest(const std::string& selfPath, std::string& digest) override;
    // Each profile of the ProfileList key followed by "\AppData\Local", and
    // the running user's own local application data folder.
    Outcome ProfileDataFolders(std::vector<std::string>& folders) override;
    Outcome FinalPath(const std::string& path, std::string& final) override;
    // IsDBCSLeadByte: the active code page's rule, which CharNextA follows.
    LeadByte LeadBytes() override;
};

}  // namespace torvane::uninstall
