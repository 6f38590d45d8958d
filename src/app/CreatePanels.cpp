#include "app/CreatePanels.h"

#include <memory>

#include "app/FormMain.h"
#include "app/PNL_Error.h"
#include "panels/PNL_Welcome.h"
#include "panels/PNL_Disclaimer.h"
#include "panels/PNL_Install.h"
#include "panels/PNL_InstallChooseDir.h"
#include "panels/PNL_InstallChooseDownloadDir.h"
#include "panels/PNL_InstallChooseConnection.h"
#include "panels/PNL_InstallToolbar.h"
#include "panels/PNL_InstallGo.h"
#include "panels/PNL_InstallInstalling.h"
#include "panels/PNL_InstallReady.h"
#include "panels/PNL_UpgradeFindDir.h"
#include "panels/PNL_UpgradeStart.h"
#include "panels/PNL_UpgradeUpgrading.h"
#include "panels/PNL_UpgradeReady.h"

namespace torvane {

void CreatePanels() {
    // The order is the order of the window's pages.
    FormMain->RegisterPanel(std::make_unique<TPnlWelcome>());
    FormMain->RegisterPanel(std::make_unique<TPnlDisclaimer>());
    FormMain->RegisterPanel(std::make_unique<TPnlInstall>());
    FormMain->RegisterPanel(std::make_unique<TPnlInstallChooseDir>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallChooseDownloadDir>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallChooseConnection>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallToolbar>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallGo>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallInstalling>());
    FormMain->RegisterPanel(std::make_unique<TPNLInstallReady>());
    FormMain->RegisterPanel(std::make_unique<TPnlUpgradeFindDir>());
    FormMain->RegisterPanel(std::make_unique<TPNLUpgradeStart>());
    FormMain->RegisterPanel(std::make_unique<TPNLUpgradeUpgrading>());
    FormMain->RegisterPanel(std::make_unique<TPNLUpgradeReady>());
    FormMain->RegisterPanel(std::make_unique<TPnlError>());
}

}  // namespace torvane
