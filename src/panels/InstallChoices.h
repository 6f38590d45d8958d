#pragma once
#include <string>

// The wizard's choices as one value, taken from the install state when the
// install or upgrade work starts, and the folders that work settles on,
// written back to the install state once when it ends (the finished panel
// and the error report read them there). The steps in between read and
// settle only these values, never the install state itself.
namespace torvane {

struct InstallChoices {
    std::string installDir;  // as chosen; the backslash may still be missing
    std::string downloadDir;
    int connectionType = 8;
    bool installToolbar = false;
    bool desktopShortcut = false;
    std::string sourceCode;
};

// What an installation settled on. Starts as the install state holds it, so
// that writing back what was not settled yet changes nothing.
struct SettledFolders {
    std::string installDir;
    std::string userDataDir;
    std::string workDir;
    std::string downloadDir;  // as the data file stored it (no backslash)
};

InstallChoices ChoicesFromInstallState();
SettledFolders FoldersFromInstallState();
void StoreInInstallState(const SettledFolders& folders);

// The upgrade's: the installation to upgrade and whether the command line
// named it ("/autoupdate").
struct UpgradeChoices {
    std::string installDir;
    bool autoUpdate = false;
};

UpgradeChoices UpgradeChoicesFromInstallState();
void StoreUpgradedFolder(const std::string& installDir);

}  // namespace torvane
