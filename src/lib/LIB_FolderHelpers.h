#pragma once
#include <optional>
#include <string>

#include "platform/FileSearch.h"
#include "platform/FileSystem.h"

namespace torvane {

// Whether `text` is acceptable as an install or download folder typed by the
// user: "<letter>:\..." with no UNC or doubled backslash, no surrounding
// blanks and none of " * / : < > ? after the drive. The drive letter itself
// is not examined, and a bare root ("C:\") or a trailing backslash is fine.
// Existence is not checked. Characters are told by `isLead`: the second byte
// of a double-byte character may be 0x5C, which is no backslash.
bool IsValidFolderName(const std::string& text, LeadByte isLead);

// Whether `path`, passed to the system unchanged (a trailing backslash
// included), names an existing folder: its attributes can be read and carry
// the directory bit.
bool FolderExists(platform::FileSystem& files, const std::string& path);

// `text` itself when it names an existing folder, else its parent folder as
// text ("C:\Program Files\Torvane P2P" → "C:\Program Files", "D:\Games" →
// "D:\"), "" when it has none. The parent is not checked for existence.
std::string FolderOrParent(platform::FileSystem& files, const std::string& text);

// The one spelling a typed folder is stored in: each part's trailing dots
// and blanks dropped (the system drops them only from the name that ends a
// path: "D:\Games \x" would be made as "D:\Games\x" and then not be found
// again), then the system's full, long form (FileSystem::FullLongPath: "."
// and ".." resolved, 8.3 names of the parts that exist expanded). A trailing backslash stays.
// Nothing when no folder below a drive root is left, a part is only dots or blanks, the system
// cannot resolve the path, or a part is a device name or still has the 8.3 form (a name of that
// shape that does not exist would be made as it is, and then taken for an alias by anyone reading
// the path). `text` must pass IsValidFolderName.
std::optional<std::string> CanonicalFolderName(platform::FileSystem& files,
                                               const std::string& text);

// Whether `folder` holds anything at all: a file or folder, hidden or not.
// A folder that cannot be listed counts as empty.
bool FolderHoldsAnything(platform::FileSearch& search, const std::string& folder, LeadByte isLead);

}  // namespace torvane
