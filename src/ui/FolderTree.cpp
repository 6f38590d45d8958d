#include "ui/FolderTree.h"

#include <algorithm>
#include <cctype>

#include "base/Exceptions.h"
#include "base/PathNames.h"
#include "base/Text.h"

namespace torvane::ui {

namespace {

bool IsFolder(platform::FileSystem& files, const std::string& path) {
    const auto attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) != 0;
}

// "X:\a\b\" → {"a", "b"}; empty names from doubled backslashes are skipped.
std::vector<std::string> NamesBelowRoot(const std::string& path, LeadByte isLead) {
    std::vector<std::string> names;
    std::size_t start = 3;
    std::vector<std::size_t> ends = CharacterOffsets(path, "\\/", isLead);
    ends.push_back(path.size());
    for (std::size_t end : ends) {
        if (end < start) continue;  // the root's own
        if (end > start) names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

}  // namespace

FolderTree::FolderTree(Container* parent, platform::Drives& drives, platform::FileSystem& files,
                       std::string name)
    : Control(parent, ControlKind::FolderTree, std::move(name)), drives_(drives), files_(files) {
    SetColor(colors::White);
}

FolderTree::Node& FolderTree::Root() {
    if (!root_) {
        root_ = std::make_unique<Node>();
        root_->name = "My Computer";
        root_->expanded = true;
        Load(*root_);
    }
    return *root_;
}

bool FolderTree::Allowed(const std::string& path) { return !OnAddFolder || OnAddFolder(path); }

void FolderTree::Load(Node& node) {
    if (node.loaded) return;
    // Marked first: a veto that fails leaves a node that is not read again.
    node.loaded = true;
    std::vector<std::unique_ptr<Node>> children;
    auto add = [&](const std::string& name, const std::string& path) {
        if (!Allowed(path)) return;
        auto child = std::make_unique<Node>();
        child->name = name;
        child->path = path;
        child->parent = &node;
        child->level = node.level + 1;
        children.push_back(std::move(child));
    };
    if (!node.parent) {
        for (char letter : drives_.Letters()) {
            const std::string root = std::string(1, letter) + ":\\";
            add(root, root);
        }
    } else {
        std::vector<std::string> names = files_.SubFolders(node.path, false);
        // Listed as Explorer lists them: by name, regardless of case.
        std::stable_sort(
            names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
        const std::string prefix = WithBackslash(node.path, files_.LeadBytes());
        for (const std::string& name : names) add(name, prefix + name);
    }
    node.children = std::move(children);
}

std::string FolderTree::SelectedPath() const { return selected_ ? selected_->path : std::string(); }

void FolderTree::Select(Node* node) {
    if (node == selected_) return;
    selected_ = node;
    Notify(Property::Selection);
    if (OnChange) OnChange();
}

void FolderTree::SelectPath(const std::string& path) {
    const bool driveForm = path.size() >= 3 && path[1] == ':' &&
                           (path[2] == '\\' || path[2] == '/') &&
                           std::isalpha(static_cast<unsigned char>(path[0]));
    if (!driveForm || !IsFolder(files_, path))
        throw Exception("The folder \"" + path + "\" cannot be found.");

    Node* node = nullptr;
    const std::string drive = std::string(1, UpperChar(path[0])) + ":\\";
    for (auto& child : Root().children) {
        if (child->path == drive) node = child.get();
    }
    for (const std::string& name : NamesBelowRoot(path, files_.LeadBytes())) {
        if (!node) break;
        Load(*node);
        Node* next = nullptr;
        for (auto& child : node->children) {
            if (SameText(child->name, name)) next = child.get();
        }
        node = next;
    }
    if (node) {
        for (Node* ancestor = node->parent; ancestor; ancestor = ancestor->parent) {
            Load(*ancestor);
            ancestor->expanded = true;
        }
    }
    ChangedRows();
    Select(node);
}

std::vector<FolderTree::Node*> FolderTree::Rows() {
    std::vector<Node*> rows;
    std::function<void(Node&)> walk = [&](Node& node) {
        rows.push_back(&node);
        if (!node.expanded) return;
        for (auto& child : node.children) walk(*child);
    };
    walk(Root());
    return rows;
}

int FolderTree::RowOf(const Node* node) {
    const std::vector<Node*> rows = Rows();
    const auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int FolderTree::VisibleRowCount() const { return std::max(1, (Height() - 4) / kRowHeight); }

void FolderTree::SetTopRow(int row) {
    const int count = static_cast<int>(Rows().size());
    row = std::max(0, std::min(row, count - VisibleRowCount()));
    if (row == topRow_) return;
    topRow_ = row;
    Notify(Property::Position);
}

void FolderTree::ScrollSelectedIntoView() {
    const int row = RowOf(selected_);
    if (row < 0) return;
    if (row < topRow_)
        SetTopRow(row);
    else if (row >= topRow_ + VisibleRowCount())
        SetTopRow(row - VisibleRowCount() + 1);
}

void FolderTree::ChangedRows() {
    Notify(Property::Items);
    SetTopRow(topRow_);  // rows may have gone: clamp again
}

void FolderTree::Expand(Node& node) {
    Load(node);
    if (node.expanded) return;
    node.expanded = true;
    ChangedRows();
}

void FolderTree::Collapse(Node& node) {
    if (!node.expanded) return;
    node.expanded = false;
    ChangedRows();
    for (const Node* n = selected_ ? selected_->parent : nullptr; n; n = n->parent) {
        if (n == &node) {
            Select(&node);
            break;
        }
    }
}

void FolderTree::Toggle(Node& node) {
    if (node.expanded)
        Collapse(node);
    else
        Expand(node);
}

FolderTree::Node* FolderTree::NodeAt(int y) {
    if (y < 0) return nullptr;
    const std::vector<Node*> rows = Rows();
    const int row = topRow_ + y / kRowHeight;
    return row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
}

void FolderTree::ClickAt(int x, int y, bool toggle) {
    Node* hit = NodeAt(y);
    if (!hit) return;
    Node& node = *hit;
    const bool onExpander = node.level > 0 && x >= IconLeft(node) - kIndent && x < IconLeft(node);
    Select(&node);
    if ((onExpander || toggle) && node.MayHaveChildren()) Toggle(node);
}

bool FolderTree::KeyDown(Key key) {
    const std::vector<Node*> rows = Rows();
    const int last = static_cast<int>(rows.size()) - 1;
    const int row = RowOf(selected_);
    auto selectRow = [&](int target) {
        Select(rows[std::max(0, std::min(target, last))]);
        ScrollSelectedIntoView();
    };
    if (row < 0) {
        // Nothing selected yet: any navigation key starts at the top.
        selectRow(0);
        return true;
    }
    Node& node = *rows[row];
    switch (key) {
        case Key::Up:
            selectRow(row - 1);
            return true;
        case Key::Down:
            selectRow(row + 1);
            return true;
        case Key::Home:
            selectRow(0);
            return true;
        case Key::End:
            selectRow(last);
            return true;
        case Key::PageUp:
            selectRow(row - VisibleRowCount() + 1);
            return true;
        case Key::PageDown:
            selectRow(row + VisibleRowCount() - 1);
            return true;
        case Key::Left:
            if (node.expanded && node.parent)
                Collapse(node);
            else if (node.parent)
                selectRow(RowOf(node.parent));
            return true;
        case Key::Right:
            if (!node.expanded) {
                Expand(node);
            } else if (!node.children.empty()) {
                Select(node.children.front().get());
                ScrollSelectedIntoView();
            }
            return true;
        case Key::Enter:
            if (node.parent) Toggle(node);
            return true;
    }
    return false;
}

}  // namespace torvane::ui
