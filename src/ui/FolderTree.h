#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "ui/Control.h"

namespace torvane::ui {

// A tree of the folders below My Computer: the drives, then their sub-folders
// (never files, never hidden folders). Children are read the first time a
// node is expanded and kept for the rest of the run (no refresh on changes).
// Every drive and folder is offered to OnAddFolder before it is listed.
//
// The rows the tree shows are the nodes whose ancestors are all expanded,
// from TopRow() on. The peer draws them and reports clicks and keys; both
// change the selection through Select, which raises OnChange.
class FolderTree : public Control {
public:
    static constexpr int kIndent = 19;     // pixels per level
    static constexpr int kRowHeight = 18;  // pixels per row
    static constexpr int kIconSize = 16;

    struct Node {
        std::string name;  // as shown: "My Computer", "C:\", "Games"
        std::string path;  // file-system path: "" for My Computer, "C:\", "C:\Games"
        Node* parent = nullptr;
        int level = 0;  // 0 for My Computer
        bool loaded = false;
        bool expanded = false;
        std::vector<std::unique_ptr<Node>> children;
        // Whether an expander is drawn: not yet read, or read and not empty.
        bool MayHaveChildren() const { return !loaded || !children.empty(); }
    };

    enum class Key { Up, Down, Left, Right, Home, End, PageUp, PageDown, Enter };

    FolderTree(Container* parent, platform::Drives& drives, platform::FileSystem& files,
               std::string name = {});

    // Asked before a drive root ("C:\") or folder ("C:\Games") is listed;
    // false keeps it out. Without one everything is listed.
    std::function<bool(const std::string& path)> OnAddFolder;
    // The selection changed (by the user or by SelectPath). Reassign it
    // (or clear it) to detach.
    std::function<void()> OnChange;
    // Shown as the tool tip over the tree.
    std::string Hint;

    // My Computer, expanded, its drives read on first use.
    Node& Root();

    // The selected node's path; "" when nothing (or My Computer) is selected.
    std::string SelectedPath() const;
    const Node* Selected() const { return selected_; }
    // Selects `node` (nullptr: none); OnChange is raised when that is a change.
    void Select(Node* node);

    // Selects the folder `path` names ("D:\Games", "D:\Games\", "d:\games"),
    // expanding its ancestors. Raises torvane::Exception when no such folder
    // exists, and then the selection stays as it was. A folder that exists
    // but is not listed (its drive or a folder on the way was vetoed, or is
    // hidden) ends with no selection.
    void SelectPath(const std::string& path);
    // Moves TopRow so that the selected row is within the visible rows.
    void ScrollSelectedIntoView();

    void Expand(Node& node);
    // Collapsing an ancestor of the selection selects the collapsed node.
    void Collapse(Node& node);
    void Toggle(Node& node);

    // The rows on show from the first one, TopRow or not.
    std::vector<Node*> Rows();
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);  // clamped to the rows there are
    // How many whole rows fit in the height.
    int VisibleRowCount() const;

    // The node on the row at client height `y`, or nullptr below the last row.
    Node* NodeAt(int y);
    // A click at client coordinates: selects the row there; on its expander
    // (or with `toggle`, a double click) also expands or collapses it.
    void ClickAt(int x, int y, bool toggle = false);
    // Keyboard navigation as in Explorer's folder pane; returns whether the key was used.
    bool KeyDown(Key key);
    // Left edge of a node's icon; its expander lies in the kIndent pixels before it.
    static int IconLeft(const Node& node) { return 2 + node.level * kIndent; }

private:
    void Load(Node& node);
    bool Allowed(const std::string& path);
    int RowOf(const Node* node);
    void ChangedRows();

    platform::Drives& drives_;
    platform::FileSystem& files_;
    std::unique_ptr<Node> root_;
    Node* selected_ = nullptr;
    int topRow_ = 0;
};

}  // namespace torvane::ui
