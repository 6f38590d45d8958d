#include "panels/PNL_InstallChooseDownloadDir.h"

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "base/Text.h"
#include "lib/LIB_FolderHelpers.h"
#include "panels/PNL_InstallChooseDir.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

namespace {

constexpr const char* kInvalidFolder =
    "Invalid folder.\rThe foldername you choose contains invalid characters or is a root folder.";

// An existing X:\Downloads on a fixed disk, C preferred to D, D to E; else a
// Downloads folder at the root of the installation drive.
std::string ProposedDownloadDir(platform::Platform& platform) {
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

}  // namespace

TPNLInstallChooseDownloadDir::TPNLInstallChooseDownloadDir(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallChooseDownloadDir", "Choose download folder"),
      Image5(this, "Image5"),
      StaticText1(this, "StaticText1"),
      Edit1(this, "Edit1") {
    Image5.SetBounds(8, 8, 105, 105);
    Image5.SetStretch(true);
    Image5.SetPicture(ui::LoadPicture(ui::PictureId::Folder));
    StaticText1.SetBounds(8, 128, 233, 209);
    Edit1.SetBounds(286, 7, 393, 21);
    Edit1.OnExit = [this] { Edit1Exit(); };
    Edit1.OnKeyPress = [this](char& key) { Edit1KeyPress(key); };
}

void TPNLInstallChooseDownloadDir::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPNLInstallChooseDownloadDir::BeforeShow() {
    StaticText1.SetCaption(
        "The download folder is the folder\r"
        "on your hard disk where Torvane P2P puts the\r"
        "downloaded files when they are completed.\r"
        "\r"
        "In most common cases the folder proposed\r"
        "is the best place and you can just press\r"
        "the \"next\" button, otherwise choose a folder.");
    if (!ShellTree) ShellTree = folder_panel::CreateShellTree(*this, "Choose download folder");
    try {
        if (DownloadDir.empty()) DownloadDir = ProposedDownloadDir(Nav().Platform());
        Edit1.SetText(DownloadDir);
        SyncTreeToEdit();
    } catch (...) {
        // Proposing is a convenience: whatever fails, the panel still shows.
    }
}

void TPNLInstallChooseDownloadDir::SyncTreeToEdit() {
    if (ShellTree)
        folder_panel::SyncTreeToEdit(Nav().Platform().files, *ShellTree, Edit1.Text(),
                                     [this] { TreeChange(); });
}

void TPNLInstallChooseDownloadDir::Edit1Exit() { SyncTreeToEdit(); }

void TPNLInstallChooseDownloadDir::Edit1KeyPress(char& key) {
    if (key == '\r') SyncTreeToEdit();
}

void TPNLInstallChooseDownloadDir::TreeChange() {
    std::string text = ShellTree ? ShellTree->SelectedPath() : std::string();
    // A bare drive root is no place for downloads: its Downloads folder is meant.
    if (text.size() < 4) text += "Downloads";
    Edit1.SetText(text);
}

void TPNLInstallChooseDownloadDir::NextClick() {
    if (Nav().IsSliding()) return;
    Edit1.SetText(Trim(Edit1.Text()));
    const std::string text = Edit1.Text();
    if (!IsValidFolderName(text) || text.size() <= 3) {
        Nav().App().ShowMessage(kInvalidFolder);
        return;
    }
    if (text.back() != '\\') Edit1.SetText(text + "\\");
    DownloadDir = Edit1.Text();
    Nav().ShowPanel("PnlInstallChooseConnection", true);
}

void TPNLInstallChooseDownloadDir::PreviousClick() {
    if (Nav().IsSliding()) return;
    DownloadDir.clear();
    Nav().ShowPanel("PnlInstallChooseDir", true);
}

}  // namespace torvane
