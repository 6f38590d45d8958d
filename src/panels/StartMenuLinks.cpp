#include "panels/StartMenuLinks.h"

#include "base/InstallLayout.h"
#include "generated/BuildConfig.h"

namespace torvane {

void CreateStartMenuLinks(platform::Shell& shell, const std::string& group,
                          const std::string& installDir, const std::string& helpPath) {
    const std::string server = config::kWebServer;
    shell.CreateShortcut(installDir + layout::kClient.name, group + "\\" + layout::kClientShortcut,
                         "Torvane P2P", 0, "");
    shell.CreateShortcut(server + "/p2p/", group + "\\Torvane P2P On the Web.Lnk",
                         "Torvane P2P On the web", -1, "");
    shell.CreateShortcut(server + helpPath, group + "\\Torvane P2P Help.Lnk", "Torvane P2P Help",
                         -1, "");
    shell.CreateShortcut(installDir + layout::kUninstaller.name,
                         group + "\\Torvane P2P Uninstall.Lnk", "Torvane P2P Uninstall", 0, "");
}

}  // namespace torvane
