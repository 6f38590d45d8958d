#include "panels/PNL_InstallChooseDownloadDir.h"

#include "app/Appl_Globals.h"
#include "lib/LIB_FolderHelpers.h"
#include "platform/Platform.h"

namespace torvane {

TPNLInstallChooseDownloadDir::TPNLInstallChooseDownloadDir(Navigator& navigator)
    : TFolderPanel(navigator, Form{"PNLInstallChooseDownloadDir", "Choose download folder",
                                   "The download folder is the folder\r"
                                   "on your hard disk where Torvane P2P puts the\r"
                                   "downloaded files when they are completed.\r"
                                   "\r"
                                   "In most common cases the folder proposed\r"
                                   "is the best place and you can just press\r"
                                   "the \"next\" button, otherwise choose a folder.",
                                   "PnlInstallChooseDir", true}) {}

// An existing X:\Downloads on a fixed disk, C preferred to D, D to E; else a
// Downloads folder at the root of the installation drive.
std::string TPNLInstallChooseDownloadDir::StoredFolder() const { return DownloadDir; }

void TPNLInstallChooseDownloadDir::StoreFolder(const std::string& folder) { DownloadDir = folder; }

std::string TPNLInstallChooseDownloadDir::Proposal() {
    platform::Platform& platform = Nav().Platform();
    std::string proposal = InstallDir.substr(0, 3);
    for (char letter : {'E', 'D', 'C'}) {
        const std::string root = std::string(1, letter) + ":\\";
        if (platform.drives.TypeOf(root) == platform::DriveType::Fixed &&
            FolderExists(platform.files, root + "Downloads"))
            proposal = root + "Downloads";
    }
    if (proposal.size() == 3) proposal += "Downloads";
    return proposal;
}

std::string TPNLInstallChooseDownloadDir::FromTree(const std::string& picked) const {
    // A bare drive root is no place for downloads: its Downloads folder is meant.
    return picked.size() < 4 ? picked + "Downloads" : picked;
}

void TPNLInstallChooseDownloadDir::NextClick() {
    if (Nav().IsSliding()) return;
    const std::optional<std::string> folder = AcceptedFolder(TrimEdit1());
    if (!folder) return;
    Edit1.SetText(*folder);
    DownloadDir = *folder;
    Nav().ShowPanel("PnlInstallChooseConnection", true);
}

}  // namespace torvane
