#include "panels/PNL_InstallChooseDir.h"

#include <algorithm>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "base/Text.h"
#include "lib/LIB_FolderHelpers.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

namespace folder_panel {

std::unique_ptr<ui::FolderTree> CreateShellTree(TFramePanel& panel, const std::string& hint) {
    platform::Platform& platform = panel.Nav().Platform();
    auto tree =
        std::make_unique<ui::FolderTree>(&panel, platform.drives, platform.files, "ShellTree");
    tree->SetBounds(288, 40, 393, 289);
    tree->Hint = hint;
    tree->OnAddFolder = [&platform](const std::string& path) { return AddFolder(platform, path); };
    tree->Realize();
    return tree;
}

bool AddFolder(platform::Platform& platform, const std::string& path) {
    if (path.size() < 3) return false;  // no drive root: not a file-system folder
    const std::string root = UpperCase(path.substr(0, 3));
    if (platform.drives.TypeOf(root) != platform::DriveType::Fixed) return false;
    return FolderExists(platform.files, path);
}

void SyncTreeToEdit(platform::FileSystem& files, ui::FolderTree& tree, const std::string& text,
                    const std::function<void()>& onChange) {
    tree.OnChange = nullptr;
    try {
        tree.SelectPath(FolderOrParent(files, text));
        if (tree.Selected()) tree.ScrollSelectedIntoView();
    } catch (...) {
        // The folder cannot be shown: the tree keeps what it showed and the
        // box keeps the typed text; the user is not told.
    }
    tree.OnChange = onChange;
}

}  // namespace folder_panel

namespace {

constexpr const char* kInvalidFolder =
    "Invalid folder.\rThe foldername you choose contains invalid characters or is a root folder.";
constexpr const char* kProductFolder = "Torvane P2P";

}  // namespace

TPnlInstallChooseDir::TPnlInstallChooseDir(Navigator& navigator)
    : TFramePanel(navigator, "PnlInstallChooseDir", "Choose installation folder"),
      Image5(this, "Image5"),
      Edit1(this, "Edit1"),
      StaticText1(this, "StaticText1") {
    Image5.SetBounds(8, 8, 105, 105);
    Image5.SetStretch(true);
    Image5.SetPicture(ui::LoadPicture(ui::PictureId::Folder));
    Edit1.SetBounds(286, 7, 393, 21);
    Edit1.OnExit = [this] { Edit1Exit(); };
    Edit1.OnKeyPress = [this](char& key) { Edit1KeyPress(key); };
    StaticText1.SetBounds(8, 128, 233, 209);
}

void TPnlInstallChooseDir::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPnlInstallChooseDir::BeforeShow() {
    StaticText1.SetCaption(
        "The installation folder is the folder\r"
        "on your hard disk where Torvane P2P program files\r"
        "and the Torvane P2P data file will be placed.\r"
        "\r"
        "In most common cases the folder proposed\r"
        "is the best place and you can just press\r"
        "the \"next\" button, otherwise choose a folder.");
    if (!ShellTree) ShellTree = folder_panel::CreateShellTree(*this, "Choose installation folder");
    try {
        if (InstallDir.empty()) {
            const std::optional<std::string> programFiles =
                Nav().Platform().shell.FolderPath(platform::SpecialFolder::ProgramFiles);
            InstallDir = programFiles ? *programFiles + "\\" + kProductFolder
                                      : std::string("C:\\") + kProductFolder;
        }
        Edit1.SetText(InstallDir);
        SyncTreeToEdit();
    } catch (...) {
        // Proposing is a convenience: whatever fails, the panel still shows.
    }
}

void TPnlInstallChooseDir::SyncTreeToEdit() {
    if (ShellTree)
        folder_panel::SyncTreeToEdit(Nav().Platform().files, *ShellTree, Edit1.Text(),
                                     [this] { TreeChange(); });
}

void TPnlInstallChooseDir::Edit1Exit() {
    if (Trim(Edit1.Text()) == kHiddenCode) {
        Edit1.SetText(SourceCode);
        return;
    }
    SyncTreeToEdit();
}

void TPnlInstallChooseDir::Edit1KeyPress(char& key) {
    if (key == '\r') SyncTreeToEdit();
}

void TPnlInstallChooseDir::TreeChange() {
    std::string text = ShellTree ? ShellTree->SelectedPath() : std::string();
    // A drive or a folder right on it would be a crowded place: the product
    // gets a folder of its own there.
    if (std::count(text.begin(), text.end(), '\\') < 2) {
        if (text.empty() || text.back() != '\\') text += '\\';
        text += kProductFolder;
    }
    Edit1.SetText(text);
}

void TPnlInstallChooseDir::NextClick() {
    if (Nav().IsSliding()) return;
    Edit1.SetText(Trim(Edit1.Text()));
    InstallDir = Edit1.Text();
    if (!IsValidFolderName(InstallDir) || InstallDir.size() <= 3) {
        Nav().App().ShowMessage(kInvalidFolder);
        return;
    }
    if (InstallDir.back() != '\\') InstallDir += '\\';
    WorkDir = InstallDir;
    const auto attributes = Nav().Platform().files.Attributes(InstallDir + "Torvane.exe");
    if (attributes && (*attributes & platform::kAttributeDirectory) == 0) {
        Nav().App().ShowMessage(
            std::string("Cannot install Torvane P2P in ") + InstallDir + "\r" +
            "because it already exists in this folder." + "\r" +
            "In case you want to overwrite a previous installation delete or unistall it first," +
            "\r" + "otherwise choose another folder.");
        return;
    }
    Nav().ShowPanel("PNLInstallChooseDownloadDir", true);
}

void TPnlInstallChooseDir::PreviousClick() {
    if (Nav().IsSliding()) return;
    InstallDir.clear();
    Nav().ShowPanel("PnlInstall", true);
}

}  // namespace torvane
