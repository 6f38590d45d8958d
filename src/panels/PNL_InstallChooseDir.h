#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/FramePanel.h"
#include "platform/Platform.h"
#include "ui/Edit.h"
#include "ui/FolderTree.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace torvane {

// What the installation and download folder panels share.
namespace folder_panel {

// Makes the panel's folder tree (placed, hinted, vetoed by AddFolder) and
// realizes it when the panel is on screen already.
std::unique_ptr<ui::FolderTree> CreateShellTree(TFramePanel& panel, const std::string& hint);
// Whether the tree lists `path`: only folders on fixed disks.
bool AddFolder(platform::Platform& platform, const std::string& path);
// Points `tree` at FolderOrParent(text) with its OnChange detached, so the
// panel's own move is not taken for the user's choice; `onChange` is put
// back even when the folder cannot be shown. Never raises.
void SyncTreeToEdit(platform::FileSystem& files, ui::FolderTree& tree, const std::string& text,
                    const std::function<void()>& onChange);

}  // namespace folder_panel

// The installation folder: proposed under the program files folder, typed or
// picked in a tree of the fixed disks, stored in InstallDir (with a trailing
// backslash) and WorkDir by "&Next".
class TPnlInstallChooseDir : public TFramePanel {
public:
    // Typed into Edit1 and leaving the box shows SourceCode instead.
    static constexpr const char* kHiddenCode = "#~~+71-64KRw";

    explicit TPnlInstallChooseDir(Navigator& navigator);

    ui::Image Image5;
    ui::Edit Edit1;
    ui::TextBox StaticText1;
    // Made at the first showing; absent until then.
    std::unique_ptr<ui::FolderTree> ShellTree;

    void SetButtons(tQvButtonBar& bar) override;
    // Fills the text, makes the tree once, proposes the folder and points the tree at it.
    void BeforeShow() override;

    void SyncTreeToEdit();
    void Edit1Exit();
    void Edit1KeyPress(char& key);
    void TreeChange();
    void NextClick();
    void PreviousClick();
};

}  // namespace torvane
