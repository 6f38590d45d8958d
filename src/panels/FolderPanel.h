#pragma once
#include <memory>
#include <optional>
#include <string>

#include "app/FramePanel.h"
#include "platform/Platform.h"
#include "ui/Edit.h"
#include "ui/FolderTree.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace torvane {

// What the installation and download folder panels share: the picture, the
// edit box with the folder, the explanation, the tree of the fixed disks and
// the "&Exit", "&Next" and "&Previous" buttons. Each panel owns one folder
// of the install state, proposes it when it is empty, forgets it on
// "&Previous" and stores it (with a trailing backslash) on "&Next".
class TFolderPanel : public TFramePanel {
public:
    // Refusal of a typed folder that is no valid name or only a drive root.
    static constexpr const char* kInvalidFolder =
        "Invalid folder.\rThe foldername you choose contains invalid characters or is a root "
        "folder.";

    ui::Image Image5;
    ui::Edit Edit1;
    ui::TextBox StaticText1;
    // Made at the first showing; absent until then.
    std::unique_ptr<ui::FolderTree> ShellTree;

    void SetButtons(tQvButtonBar& bar) override;
    // Fills the text, makes the tree once, proposes the folder when the
    // install state has none, and points the tree at it.
    void BeforeShow() override;

    // Points the tree at FolderOrParent(Edit1) with TreeChange detached, so
    // the panel's own move is not taken for the user's choice. Never raises.
    void SyncTreeToEdit();
    virtual void Edit1Exit();
    void Edit1KeyPress(char& key);
    // Copies the folder picked in the tree into Edit1 (see FromTree).
    void TreeChange();
    virtual void NextClick() = 0;
    // Forgets the panel's folder, so that it is proposed afresh, and goes back.
    void PreviousClick();

    // Whether the tree lists `path`: only folders on fixed disks.
    static bool AddFolder(platform::Platform& platform, const std::string& path);

protected:
    // What tells the two panels apart on the screen and in the install state.
    struct Form {
        std::string name;         // registered name
        std::string header;       // HeaderText, also the tree's hint
        std::string explanation;  // StaticText1
        std::string previous;     // the panel "&Previous" goes to
        bool textBeforeEdit;      // tab order: StaticText1 ahead of Edit1
    };
    TFolderPanel(Navigator& navigator, Form form);

    // The install state value the panel owns, and its change.
    virtual std::string StoredFolder() const = 0;
    virtual void StoreFolder(const std::string& folder) = 0;
    // The folder proposed when the install state holds none.
    virtual std::string Proposal() = 0;
    // What Edit1 shows for the folder picked in the tree ("" when none).
    virtual std::string FromTree(const std::string& picked) const = 0;
    // Trims Edit1 of blanks and control characters at both ends; returns the text.
    std::string TrimEdit1();
    // The folder to store for the trimmed `text`: its canonical spelling
    // (CanonicalFolderName) with a trailing backslash. Nothing, after
    // kInvalidFolder was shown, for an invalid name, a drive root, or a
    // name without a canonical spelling.
    std::optional<std::string> AcceptedFolder(const std::string& text);

private:
    Form form_;
};

}  // namespace torvane
