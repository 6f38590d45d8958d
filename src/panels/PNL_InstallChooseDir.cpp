#include "panels/PNL_InstallChooseDir.h"

#include <optional>

#include "app/Appl_Globals.h"
#include "base/InstallLayout.h"
#include "base/PathNames.h"
#include "base/Text.h"
#include "lib/InstallFolderRights.h"
#include "lib/LIB_FolderHelpers.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

namespace {

// The folder of the installation the system's list of programs names, when
// it still holds the client and is not `chosen` (both ending with a
// backslash).
std::optional<std::string> OtherInstallation(platform::Platform& os, const std::string& chosen) {
    std::optional<std::string> command =
        os.registry.LocalMachineString(layout::kUninstallKey, "UninstallString");
    if (!command) return std::nullopt;
    // "<folder>\Uninstall.Exe", quoted as the setup writes it, or not.
    if (command->size() >= 2 && command->front() == '"' && command->back() == '"')
        *command = command->substr(1, command->size() - 2);
    const std::size_t slash = LastBackslash(*command, os.files.LeadBytes());
    if (slash == std::string::npos) return std::nullopt;
    const std::string folder = command->substr(0, slash + 1);
    if (SameText(folder, chosen)) return std::nullopt;
    const auto client = os.files.Attributes(folder + layout::kClient.name);
    if (!client || (*client & platform::kAttributeDirectory) != 0) return std::nullopt;
    return folder;
}

}  // namespace

TPnlInstallChooseDir::TPnlInstallChooseDir(Navigator& navigator)
    : TFolderPanel(navigator, Form{"PnlInstallChooseDir", "Choose installation folder",
                                   "The installation folder is the folder\r"
                                   "on your hard disk where Torvane P2P program files\r"
                                   "and the Torvane P2P data file will be placed.\r"
                                   "\r"
                                   "In most common cases the folder proposed\r"
                                   "is the best place and you can just press\r"
                                   "the \"next\" button, otherwise choose a folder.",
                                   "PnlInstall", false}) {}

std::string TPnlInstallChooseDir::StoredFolder() const { return InstallDir; }

void TPnlInstallChooseDir::StoreFolder(const std::string& folder) { InstallDir = folder; }

std::string TPnlInstallChooseDir::Proposal() {
    const std::optional<std::string> programFiles =
        Nav().Platform().shell.FolderPath(platform::SpecialFolder::ProgramFiles);
    return programFiles ? *programFiles + "\\" + layout::kProductName
                        : std::string("C:\\") + layout::kProductName;
}

void TPnlInstallChooseDir::Edit1Exit() {
    if (Trim(Edit1.Text()) == kHiddenCode) {
        Edit1.SetText(SourceCode);
        return;
    }
    SyncTreeToEdit();
}

std::string TPnlInstallChooseDir::FromTree(const std::string& picked) const {
    std::string text = picked;
    // A drive or a folder right on it would be a crowded place: the product
    // gets a folder of its own there.
    const LeadByte isLead = Nav().Platform().files.LeadBytes();
    if (BackslashOffsets(text, isLead).size() < 2)
        text = WithBackslash(text, isLead) + layout::kProductName;
    return text;
}

void TPnlInstallChooseDir::NextClick() {
    if (Nav().IsSliding()) return;
    InstallDir = TrimEdit1();  // a refused text stays here until the next try
    const std::optional<std::string> folder = AcceptedFolder(InstallDir);
    if (!folder) return;
    InstallDir = *folder;
    WorkDir = InstallDir;
    platform::Platform& os = Nav().Platform();
    const auto attributes = os.files.Attributes(InstallDir + layout::kClient.name);
    if (attributes && (*attributes & platform::kAttributeDirectory) == 0) {
        Nav().App().ShowMessage(
            std::string("Cannot install Torvane P2P in ") + InstallDir + "\r" +
            "because it already exists in this folder." + "\r" +
            "In case you want to overwrite a previous installation delete or unistall it first," +
            "\r" + "otherwise choose another folder.");
        return;
    }
    // The uninstaller runs elevated from this folder: an existing one must
    // be the installation's own, not another account's or a link's.
    if (FolderExists(os.files, InstallDir)) {
        if (const auto why = WhyNotInstallationFolder(os.files, InstallDir)) {
            Nav().App().ShowMessage(std::string("Cannot install Torvane P2P in ") + InstallDir +
                                    "\r" + "because " + *why + "." + "\r" +
                                    "Please choose another folder.");
            return;
        }
    }
    // The uninstaller empties and removes the installation folder: one that
    // already holds the user's or another program's files is taken only
    // when the user says so.
    if (FolderExists(os.files, InstallDir) &&
        FolderHoldsAnything(os.search, InstallDir, os.files.LeadBytes()) &&
        !Nav().App().AskYesNo(std::string("The folder ") + InstallDir + "\r" +
                              "already contains other files." + "\r" +
                              "Do you want to install Torvane P2P in this folder anyway?"))
        return;
    // Two installations share the user's data folder and their uninstall
    // entry: uninstalling either removes the other's data and downloads.
    if (const auto existing = OtherInstallation(os, InstallDir);
        existing &&
        !Nav().App().AskYesNo(std::string("Torvane P2P is already installed in ") + *existing +
                              "\r" + "A new installation in " + InstallDir + "\r" +
                              "would share its data and downloads with it," + "\r" +
                              "and uninstalling either one would remove them for both." + "\r" +
                              "Do you want to install Torvane P2P in this folder anyway?"))
        return;
    Nav().ShowPanel("PNLInstallChooseDownloadDir", true);
}

}  // namespace torvane
