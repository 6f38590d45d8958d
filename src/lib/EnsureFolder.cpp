#include "lib/EnsureFolder.h"

#include "base/Exceptions.h"
#include "base/PathNames.h"
#include "lib/LIB_FolderHelpers.h"

namespace torvane {

void EnsureFolder(platform::FileSystem& files, const std::string& path) {
    const std::string folder = WithBackslash(path, files.LeadBytes());
    const std::string bare = folder.substr(0, folder.size() - 1);
    if (bare.size() == 2) return;  // a drive root: nothing to make
    // The first refusal names the cause; later ones only follow from it.
    int firstError = 0;
    for (std::size_t end : BackslashOffsets(folder, files.LeadBytes())) {
        if (end < 3) continue;  // the root's own
        const std::string part = folder.substr(0, end);
        if (FolderExists(files, part)) continue;
        const int error = files.CreateFolder(part);
        if (error != 0 && firstError == 0) firstError = error;
    }
    if (!FolderExists(files, bare))
        throw EInOutError(firstError != 0 ? firstError : 3);  // 3: path not found
}

}  // namespace torvane
