#pragma once
// The operations the uninstaller needs from the system, and what they report.
// The Win32 side implements them (win32/Win32UninstallSystem.h), the tests
// hold them in memory (tests/fakes/FakeUninstallSystem.h).
#include <cstdint>
#include <string>
#include <vector>

#include "base/PathNames.h"

namespace torvane::uninstall {

enum class Status {
    Removed,  // done
    Absent,   // was not there: nothing to remove
    Failed,   // could not be removed (reason says why)
};

struct Outcome {
    Status status = Status::Removed;
    std::string reason;  // for Failed: the system's words
    static Outcome Done() { return {Status::Removed, {}}; }
    static Outcome NotThere() { return {Status::Absent, {}}; }
    static Outcome Error(std::string why) { return {Status::Failed, std::move(why)}; }
};

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// What the uninstaller needs to know of one file or folder, the object itself
// (a link or junction is not followed). Times are in 100 ns units since 1601
// (FILETIME); 0 when the file system does not keep them.
struct PathFacts {
    bool isFolder = false;
    bool isReparsePoint = false;  // a junction, a symbolic link, a mount point
    std::uint64_t created = 0;
    std::uint64_t written = 0;
};

// The operations the plan needs from the system. Each reports Absent when
// its object does not exist.
// Failures are returned as an Outcome (Absent, or Failed with the system's
// words), which the plan reports line by line; nothing here throws.
class UninstallSystem {
public:
    virtual ~UninstallSystem() = default;
    // The facts of `path` itself, without following a reparse point.
    virtual Outcome Inspect(const std::string& path, PathFacts& facts) = 0;
    // Everything directly in `folder` (not "." and ".."), files and folders.
    virtual Outcome ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
    // Deletes the file only if it really is `path`: not reached through a
    // link, a junction or a short name (the real system checks the final
    // path of the handle it deletes through).
    virtual Outcome RemoveFile(const std::string& path) = 0;
    // Removes the folder only if it is empty, and with the same check.
    virtual Outcome RemoveEmptyFolder(const std::string& path) = 0;
    // Deletes HKEY_LOCAL_MACHINE\<subkey>, which must have no subkeys.
    virtual Outcome DeleteMachineKey(const std::string& subkey) = 0;
    // The user's Start-menu programs folder and desktop folder.
    virtual Outcome ProgramsFolder(std::string& folder) = 0;
    virtual Outcome DesktopFolder(std::string& folder) = 0;
    // The digest the setup recorded for the list of the uninstaller at
    // `selfPath` (base/UninstallRecord.h): Absent when the uninstall key
    // holds none or names another uninstaller, Failed when it cannot be read.
    virtual Outcome RecordedListDigest(const std::string& selfPath, std::string& digest) = 0;
    // The local application data folder of every user profile on the
    // machine (the running user's among them).
    virtual Outcome ProfileDataFolders(std::vector<std::string>& folders) = 0;
    // Where `path` really is: links and junctions on the way resolved, in
    // the drive-letter form.
    virtual Outcome FinalPath(const std::string& path, std::string& final) = 0;
    // The lead bytes of the system's code page, by which paths are split.
    virtual LeadByte LeadBytes() { return NoLeadBytes; }
};

}  // namespace torvane::uninstall
