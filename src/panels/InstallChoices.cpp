#include "panels/InstallChoices.h"

#include "app/Appl_Globals.h"

namespace torvane {

InstallChoices ChoicesFromInstallState() {
    return {InstallDir, DownloadDir, ConnectionType, InstallToolbar, DesktopShortcut, SourceCode};
}

SettledFolders FoldersFromInstallState() { return {InstallDir, UserDataDir, WorkDir, DownloadDir}; }

void StoreInInstallState(const SettledFolders& folders) {
    InstallDir = folders.installDir;
    UserDataDir = folders.userDataDir;
    WorkDir = folders.workDir;
    DownloadDir = folders.downloadDir;
}

UpgradeChoices UpgradeChoicesFromInstallState() { return {InstallDir, AutoUpdate}; }

void StoreUpgradedFolder(const std::string& installDir) { InstallDir = installDir; }

}  // namespace torvane
