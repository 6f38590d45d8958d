#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/PathNames.h"

namespace torvane::platform {

// A file open for writing. Write() writes all of the bytes or raises the
// run-time's I/O error (EInOutError with the system's error number, 112 for a
// full disk): a short write is never reported as success.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
    // Closes the file; raises EInOutError when the system reports that
    // closing failed. Safe to call twice.
    virtual void Close() = 0;
};

// The file system as the portable code sees it. Paths are Windows paths in
// the system code page.
// Failures the caller cannot handle are thrown: a file that cannot be created
// or written (EFCreateError, EInOutError) ends the sequence on the error panel.
// Outcomes the callers expect and act on are returned: a locked file to retry
// (an error number), a file that is not there (false), a path without
// attributes (nothing), a folder that exists already (183).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates the file, replacing any existing one. Raises EFCreateError
    // ("Cannot create file "<path>". <system text>") when that is impossible.
    virtual std::unique_ptr<WritableFile> CreateFile(const std::string& path) = 0;

    // Moves `from` over `to`, replacing it. Returns the system's error number
    // (0 on success) so the caller can word the failure.
    virtual int ReplaceFile(const std::string& from, const std::string& to) = 0;

    // Deletes a file; returns whether it did.
    virtual bool DeleteFile(const std::string& path) = 0;

    // The system's text for an error number ("Access is denied", ...).
    virtual std::string ErrorText(int code) = 0;

    // The file attributes (GetFileAttributesA), or nothing when they cannot
    // be read (no such file or folder, no access).
    virtual std::optional<std::uint32_t> Attributes(const std::string& path) = 0;
    // Sets the attributes of a file or folder (SetFileAttributesA); returns
    // the system's error number, 0 on success.
    virtual int SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // Creates one folder whose parent exists; returns the system's error
    // number, 0 on success (183 when it exists already).
    virtual int CreateFolder(const std::string& path) = 0;
    // The names of the folders directly in `folder` (no "." and ".."),
    // hidden ones only when asked, in the order the system lists them. A name
    // that cannot be spelt in the code page (IsUnspellableName) is left out.
    virtual std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) = 0;

    // The full, long form of an absolute drive path, as the system would
    // open it: "." and ".." parts resolved, doubled separators merged, the
    // trailing dots and blanks of the last part dropped (GetFullPathNameA),
    // then every 8.3 short name among the parts that exist replaced by its
    // long name (GetLongPathNameA). Parts that do not exist are kept as
    // written; a trailing backslash stays. Nothing when the system cannot
    // resolve the path (too long, not on a drive).
    virtual std::optional<std::string> FullLongPath(const std::string& path) = 0;

    // The active code page's rule for double-byte characters, by which every
    // path is split (a second byte may be 0x5C, the byte of "\\"). The
    // default knows single-byte code pages only.
    virtual LeadByte LeadBytes();

    // --- what only the setup's own folders need (the build tools do without) ---

    // The first `limit` bytes of a file (all of a shorter one); nothing when
    // it cannot be read.
    virtual std::optional<std::string> ReadHead(const std::string& path, std::size_t limit);
    // Who owns an existing file or folder.
    enum class Owner { Administrators, System, InstallingAccount, Other, Unknown };
    virtual Owner OwnerOf(const std::string& path);
    // Creates one folder whose parent exists, with rights of its own like
    // those of Program Files and none inherited from its parent:
    // administrators and SYSTEM full control, users and authenticated users
    // read and run. A setup without administrator rights gives its own
    // account full control as well, or it could not write the folder.
    // Returns the system's error number, 0 on success (183 when it exists).
    virtual int CreateOwnFolder(const std::string& path);
    // Where an existing file or folder really is, asked through a handle on
    // it: links and junctions resolved, long names, the drive-letter form,
    // no trailing backslash. Nothing when the system cannot say.
    virtual std::optional<std::string> FinalPath(const std::string& path);
};

// What FullLongPath gives on a file system without short names: only the
// text is resolved, as GetFullPathNameA does it for "X:\..." (a ".." at the
// root stays at the root). Nothing for a path that does not begin with a
// drive letter, a colon and a backslash. Names are split by character.
std::optional<std::string> ResolvePathText(const std::string& path, LeadByte isLead = NoLeadBytes);

// A file the system refuses to write, replace or delete until the attribute
// is taken off (FILE_ATTRIBUTE_READONLY).
constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeDirectory = 0x10;
// A junction, a symbolic link or a mount point (FILE_ATTRIBUTE_REPARSE_POINT).
constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// Takes the read-only attribute off the file at `path`, when it is a file
// that carries it, so that it can be replaced or deleted. Returns whether the
// file is now writable as far as its attributes go (also when there is no
// such file); a refusal is left for the replacement to report.
inline bool ClearReadOnly(FileSystem& files, const std::string& path) {
    const std::optional<std::uint32_t> attributes = files.Attributes(path);
    if (!attributes || (*attributes & kAttributeDirectory) || !(*attributes & kAttributeReadOnly))
        return true;
    return files.SetAttributes(path, *attributes & ~kAttributeReadOnly) == 0;
}

}  // namespace torvane::platform
