#pragma once
#include <string>
#include <vector>

#include "base/InstallLayout.h"

namespace torvane {

// What an installation has put in place, as far as it got: the uninstall
// list names exactly this, so that the uninstaller removes all of it after a
// failure too, and nothing the installation did not make.
struct InstalledSoFar {
    // The settled folders, each ending with a backslash; "" while not yet
    // settled. The work folder is where the client makes its working files.
    std::string installDir;
    std::string userDataDir;
    std::string workDir;
    // The files that were written and are there now (any order). The list
    // itself is always named; the client's backup goes with its data file.
    std::vector<const layout::InstalledFile*> files;
    bool uninstallEntry = false;  // the key is (or is about to be) written
    bool startMenuGroup = false;  // the group folder was made or found
    bool desktopShortcut = false;
};

// The list, lines ending with CR LF, in the order the uninstaller carries
// them out: the client's working files, the programs and data files, the
// folders once empty, the registry entry and the shortcuts. The first line
// names the product. A complete installation gives the full list; one that
// stopped early leaves out the lines of what it never made.
std::string UninstallListText(const InstalledSoFar& installed);

// `file`'s full path in the installation folder or the data folder (each
// ending with a backslash), whichever the layout puts it in.
std::string PathOf(const layout::InstalledFile& file, const std::string& installDir,
                   const std::string& userDataDir);
// The same under the settled folders.
std::string PathOf(const InstalledSoFar& installed, const layout::InstalledFile& file);

}  // namespace torvane
