#include "panels/WizardPanels.h"

#include <memory>

#include "app/PNL_Error.h"
#include "panels/PNL_Disclaimer.h"
#include "panels/PNL_Install.h"
#include "panels/PNL_InstallChooseConnection.h"
#include "panels/PNL_InstallChooseDir.h"
#include "panels/PNL_InstallChooseDownloadDir.h"
#include "panels/PNL_InstallGo.h"
#include "panels/PNL_InstallInstalling.h"
#include "panels/PNL_InstallReady.h"
#include "panels/PNL_InstallToolbar.h"
#include "panels/PNL_UpgradeFindDir.h"
#include "panels/PNL_UpgradeReady.h"
#include "panels/PNL_UpgradeStart.h"
#include "panels/PNL_UpgradeUpgrading.h"
#include "panels/PNL_Welcome.h"

namespace torvane {

namespace {
template <typename Panel>
PanelFactory Make() {
    return [](Navigator& navigator) -> std::unique_ptr<TFramePanel> {
        return std::make_unique<Panel>(navigator);
    };
}
}  // namespace

std::vector<PanelFactory> WizardPanels() {
    return {
        Make<TPnlWelcome>(),
        Make<TPnlDisclaimer>(),
        Make<TPnlInstall>(),
        Make<TPnlInstallChooseDir>(),
        Make<TPNLInstallChooseDownloadDir>(),
        Make<TPNLInstallChooseConnection>(),
        Make<TPNLInstallToolbar>(),
        Make<TPNLInstallGo>(),
        Make<TPNLInstallInstalling>(),
        Make<TPNLInstallReady>(),
        Make<TPnlUpgradeFindDir>(),
        Make<TPNLUpgradeStart>(),
        Make<TPNLUpgradeUpgrading>(),
        Make<TPNLUpgradeReady>(),
        Make<TPnlError>(),
    };
}

}  // namespace torvane
