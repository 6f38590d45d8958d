#include "app/Appl_Globals.h"

namespace torvane {

std::string InstallDir;
std::string DownloadDir;
std::string WorkDir;
std::string UserDataDir;
bool AutoUpdate = false;
int ConnectionType = 8;
bool InstallToolbar = true;
bool DesktopShortcut = false;
// "XX" marks a build whose entry never set its code; the entry sets "01" first thing.
std::string SourceCode = "XX";
std::optional<std::vector<std::string>> FoundInstallations;

}  // namespace torvane
