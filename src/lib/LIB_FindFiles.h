#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/PathNames.h"
#include "platform/Drives.h"
#include "platform/FileSearch.h"

namespace torvane {

// Told the progress in whole percent (0..100); returning true asks the search
// to stop. Every report overwrites the stop request, so a later false lets
// the walk go on.
using TFindProgress = std::function<bool(std::uint8_t percent)>;
// Asked for each new match (its full path); false leaves it out.
using TFindFile = std::function<bool(const std::string& path)>;

// What the search needs from the system: folder listings, the locale's text
// comparison and the current folder, the drive types, and the code page's
// double-byte rule (FileSystem::LeadBytes) by which listed names are judged:
// one that holds "\\", "/" or "?" (IsUnspellableName) is neither found nor
// entered.
struct FindFilesServices {
    platform::FileSearch& search;
    platform::Drives& drives;
    LeadByte isLead = NoLeadBytes;
};

// Walks folders for files by name and returns the full paths found, sorted
// without regard to case by the locale's comparison. Runs on the caller's
// thread; the callbacks (either may be empty) are called from here and their
// failures pass through.
//
// - FileMasks: masks separated by ";" ("*", "?" wildcards), blanks around each
//   dropped; "*" alone means "*.*", and no mask at all means "*.*".
// - DriveMode: 0 the root of the current folder's drive; 1 every fixed disk;
//   2 also removable and RAM disks; 3 also network drives and CD-ROMs; any
//   other value no drive at all.
// - ExtraFolders: further folders, ";"-separated, walked after the drives.
// - MaxCount: the most paths kept; 0 no limit, a negative count keeps none.
//
// Every folder below each start is entered except hidden ones and reparse
// points (junctions, links: a loop would never end); hidden files are found. A folder whose name
// matches a mask is listed like a file. A path reached twice (differing at most in the case of A to
// Z) is kept once, as first found. Folders that cannot be read are passed over silently.
std::vector<std::string> FindFiles(const FindFilesServices& services, const std::string& FileMasks,
                                   std::uint8_t DriveMode, const std::string& ExtraFolders,
                                   const TFindProgress& OnProgress, const TFindFile& OnFile,
                                   std::int32_t MaxCount);

}  // namespace torvane
