#pragma once
#include <optional>
#include <string>
#include <vector>

// The install state: the few process-wide values through which the wizard's
// panels pass the user's choices on to each other, to the install and upgrade
// sequences and to the error report. Touched only on the user-interface
// thread. Folder values are absolute Windows paths in the system code page and
// end with a backslash once confirmed.
namespace torvane {

extern std::string InstallDir;   // installation folder of the client
extern std::string DownloadDir;  // where the client puts finished downloads
extern std::string WorkDir;      // the client's working folder
extern std::string UserDataDir;  // per-user data folder ("...\Torvane P2P\")
extern bool AutoUpdate;          // started with "/autoupdate <folder>"
extern int ConnectionType;       // index into the connection list, 0..8; 8 = "I don't know"
extern bool InstallToolbar;      // run the toolbar installer too
extern bool DesktopShortcut;     // make a desktop shortcut
extern std::string SourceCode;   // two-character code of this installer build
// Every copy of the client the last search found, sorted without regard to
// case; no list at all before the first search.
extern std::optional<std::vector<std::string>> FoundInstallations;

}  // namespace torvane
