#pragma once
#include <memory>

#include "app/FramePanel.h"
#include "ui/Edit.h"
#include "ui/FolderTree.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace torvane {

// The download folder: an existing Downloads folder on a fixed disk is
// proposed, else one at the root of the installation drive; typed or picked
// in the same tree as the installation folder; stored in DownloadDir (with a
// trailing backslash) by "&Next". Nothing is created on disk.
class TPNLInstallChooseDownloadDir : public TFramePanel {
public:
    explicit TPNLInstallChooseDownloadDir(Navigator& navigator);

    ui::Image Image5;
    ui::TextBox StaticText1;
    ui::Edit Edit1;
    // Made at the first showing; absent until then.
    std::unique_ptr<ui::FolderTree> ShellTree;

    void SetButtons(tQvButtonBar& bar) override;
    void BeforeShow() override;

    void SyncTreeToEdit();
    void Edit1Exit();
    void Edit1KeyPress(char& key);
    void TreeChange();
    void NextClick();
    void PreviousClick();
};

}  // namespace torvane
