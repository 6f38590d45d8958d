#include "panels/FolderPanel.h"

#include "app/QvButtonBar.h"
#include "base/PathNames.h"
#include "base/Text.h"
#include "lib/LIB_FolderHelpers.h"
#include "panels/ParentColors.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

TFolderPanel::TFolderPanel(Navigator& navigator, Form form)
    : TFramePanel(navigator, form.name, form.header),
      Image5(this, "Image5"),
      Edit1(this, "Edit1"),
      StaticText1(this, "StaticText1"),
      form_(std::move(form)) {
    // Children are kept in the order they joined the panel, which is the tab
    // order: moving the edit box out and back puts it behind the text.
    if (form_.textBeforeEdit) {
        Edit1.SetParent(nullptr);
        Edit1.SetParent(this);
    }
    Image5.SetBounds(8, 8, 105, 105);
    Image5.SetStretch(true);
    ui::ShowPicture(Image5, ui::PictureId::Folder);
    Edit1.SetBounds(286, 7, 393, 21);
    Edit1.OnExit = [this] { Edit1Exit(); };
    Edit1.OnKeyPress = [this](char& key) { Edit1KeyPress(key); };
    StaticText1.SetBounds(8, 128, 233, 209);
    UseParentColors(*this);
}

void TFolderPanel::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

bool TFolderPanel::AddFolder(platform::Platform& platform, const std::string& path) {
    if (path.size() < 3) return false;  // no drive root: not a file-system folder
    const std::string root = UpperCase(path.substr(0, 3));
    if (platform.drives.TypeOf(root) != platform::DriveType::Fixed) return false;
    return FolderExists(platform.files, path);
}

void TFolderPanel::BeforeShow() {
    StaticText1.SetCaption(form_.explanation);
    if (!ShellTree) {
        platform::Platform& platform = Nav().Platform();
        ShellTree =
            std::make_unique<ui::FolderTree>(this, platform.drives, platform.files, "ShellTree");
        ShellTree->SetBounds(288, 40, 393, 289);
        ShellTree->Hint = form_.header;
        ShellTree->OnAddFolder = [&platform](const std::string& path) {
            return AddFolder(platform, path);
        };
        ShellTree->Realize();
    }
    try {
        if (StoredFolder().empty()) StoreFolder(Proposal());
        Edit1.SetText(StoredFolder());
        SyncTreeToEdit();
    } catch (...) {
        // Proposing is a convenience: whatever fails, the panel still shows.
    }
}

void TFolderPanel::SyncTreeToEdit() {
    if (!ShellTree) return;
    ShellTree->OnChange = nullptr;
    try {
        ShellTree->SelectPath(FolderOrParent(Nav().Platform().files, Edit1.Text()));
        if (ShellTree->Selected()) ShellTree->ScrollSelectedIntoView();
    } catch (...) {
        // The folder cannot be shown: the tree keeps what it showed and the
        // box keeps the typed text; the user is not told.
    }
    ShellTree->OnChange = [this] { TreeChange(); };
}

void TFolderPanel::Edit1Exit() { SyncTreeToEdit(); }

void TFolderPanel::Edit1KeyPress(char& key) {
    if (key == '\r') SyncTreeToEdit();
}

void TFolderPanel::TreeChange() {
    Edit1.SetText(FromTree(ShellTree ? ShellTree->SelectedPath() : std::string()));
}

void TFolderPanel::PreviousClick() {
    GoTo(form_.previous, [this] { StoreFolder(""); });
}

std::string TFolderPanel::TrimEdit1() {
    Edit1.SetText(Trim(Edit1.Text()));
    return Edit1.Text();
}

std::optional<std::string> TFolderPanel::AcceptedFolder(const std::string& text) {
    std::optional<std::string> folder;
    platform::FileSystem& files = Nav().Platform().files;
    if (IsValidFolderName(text, files.LeadBytes()) && text.size() > 3)
        folder = CanonicalFolderName(files, text);
    if (!folder) {
        Nav().App().ShowMessage(kInvalidFolder);
        return std::nullopt;
    }
    return WithBackslash(*folder, files.LeadBytes());
}

}  // namespace torvane
