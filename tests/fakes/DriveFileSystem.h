#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/NoCase.h"
#include "fakes/TempDrives.h"
#include "platform/FileSystem.h"

namespace torvane::testing {

// The file system of the fake drives: every member works on the real folders
// of a TempDrives, so what the code under test writes can be read back and
// listed. Names compare without regard to case, as on Windows (a new file takes
// the spelling it is created with, an existing one keeps its own). Failures carry the system's
// numbers:
//   - a path on no drive, or whose folder is missing: 3 (2 for a missing
//     source of ReplaceFile); a name with one of " * : < > ? | after the
//     drive: 123;
//   - paths in `uncreatable` (a running program) refuse creation and
//     replacement with 32, as MemoryFileSystem does, and deletion;
//   - nothing can be created, replaced or deleted anywhere below a folder in
//     `readOnlyFolders` (an administrator's folder seen by a standard user):
//     5 ("Access is denied"); CreateFile raises EFCreateError with that text;
//   - files in `readOnlyFiles` carry the read-only attribute: they refuse to
//     be written, replaced or deleted with 5 until SetAttributes takes it off;
//   - `capacity` limits every file written, like a nearly full disk (112).
// Paths in `hidden` carry the hidden attribute. Entries of the sets are
// Windows paths without a trailing backslash.
class DriveFileSystem : public platform::FileSystem {
public:
    explicit DriveFileSystem(TempDrives& drives) : drives_(drives) {}

    std::unique_ptr<platform::WritableFile> CreateFile(const std::string& path) override;
    int ReplaceFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    std::string ErrorText(int code) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    int SetAttributes(const std::string& path, std::uint32_t attributes) override;
    int CreateFolder(const std::string& path) override;
    std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) override;
    // The text resolved as the system does; then, while the parts exist,
    // each short name given by TempDrives::AddShortName becomes its long one.
    std::optional<std::string> FullLongPath(const std::string& path) override;
    std::optional<std::string> ReadHead(const std::string& path, std::size_t limit) override;
    // The owner recorded in `owners` (by default the installing account).
    Owner OwnerOf(const std::string& path) override;
    // A folder as CreateFolder makes it, recorded in `ownFolders`.
    int CreateOwnFolder(const std::string& path) override;
    // The path itself, or where `redirected` says it leads; nothing for a
    // path that does not exist.
    std::optional<std::string> FinalPath(const std::string& path) override;

    // Set-up and checks for the tests, bypassing every refusal above.
    void MakeFolders(const std::string& path);                         // with its parents
    void WriteText(const std::string& path, const std::string& text);  // parents made too
    std::optional<std::string> ReadText(
        const std::string& path) const;  // nothing when no such file

    std::set<std::string, NoCaseLess> uncreatable;
    std::set<std::string, NoCaseLess> readOnlyFolders;
    std::set<std::string, NoCaseLess> hidden;
    std::set<std::string, NoCaseLess> readOnlyFiles;
    std::size_t capacity = SIZE_MAX;
    // Folders and their owners; paths whose attributes carry the reparse
    // point bit, and where a folder's final path leads instead of itself.
    std::map<std::string, Owner, NoCaseLess> owners;
    std::set<std::string, NoCaseLess> reparsePoints, ownFolders;
    std::map<std::string, std::string, NoCaseLess> redirected;

private:
    std::filesystem::path Host(const std::string& path) const;  // throws when on no drive
    bool ReadOnly(const std::string& path) const;               // below a read-only folder
    // 0 when a file or folder may be made at `path`, else the system's error.
    int CreationError(const std::string& path) const;

    TempDrives& drives_;
};

}  // namespace torvane::testing
