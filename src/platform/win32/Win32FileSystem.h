#pragma once
#include "platform/FileSystem.h"
#include "platform/GuidSource.h"

namespace torvane::platform::win32 {

// Files through CreateFileA / WriteFile / MoveFileExA. Writes check the bytes
// written against the bytes asked: a WriteFile that reports success after a
// partial write (as Wine does on a nearly full disk) is continued, so the
// next call reports the real error (112 for a full disk).
class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> CreateFile(const std::string& path) override;
    int ReplaceFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    std::string ErrorText(int code) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    int SetAttributes(const std::string& path, std::uint32_t attributes) override;
    int CreateFolder(const std::string& path) override;
    std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) override;
    // GetFullPathNameA, then GetLongPathNameA on the longest head of the
    // path that exists (it fails for a path that does not), the rest kept.
    std::optional<std::string> FullLongPath(const std::string& path) override;
    // IsDBCSLeadByte: the active code page's rule, which CharNextA follows.
    LeadByte LeadBytes() override;

    // Win32FolderRights.cpp: reading a file's head, owners through
    // GetNamedSecurityInfoA, folders made with the descriptor of
    // OwnFolderSecurity, final paths through GetFinalPathNameByHandleA.
    std::optional<std::string> ReadHead(const std::string& path, std::size_t limit) override;
    Owner OwnerOf(const std::string& path) override;
    int CreateOwnFolder(const std::string& path) override;
    std::optional<std::string> FinalPath(const std::string& path) override;
};

// The rights CreateOwnFolder gives, in the system's descriptor language
// (SDDL): protected from inheritance; SYSTEM and administrators full
// control, users and authenticated users read and run, all of it passed on
// to what the folder holds; with `installingAccount` (a string SID, the
// account of a setup without administrator rights), that account full
// control too.
std::string OwnFolderSecurity(const std::string& installingAccount);

// New GUIDs from CoCreateGuid.
class Win32GuidSource : public GuidSource {
public:
    Guid NewGuid() override;
};

}  // namespace torvane::platform::win32
