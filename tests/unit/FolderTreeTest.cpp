#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "base/Exceptions.h"
#include "fakes/MemoryFileSystem.h"
#include "ui/FolderTree.h"
#include "ui/Panel.h"

namespace torvane {
namespace {

using Key = ui::FolderTree::Key;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Folders in memory as the system reports them: names in any case and a
// trailing backslash are accepted, hidden folders are left out of listings unless asked for.
class Folders : public testing::MemoryFileSystem {
public:
    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        std::string clean = Lower(path);
        if (clean.size() > 3 && clean.back() == '\\') clean.pop_back();
        for (const std::string& folder : folders)
            if (Lower(folder) == clean) return platform::kAttributeDirectory;
        return std::nullopt;
    }
    std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) override {
        std::vector<std::string> names;
        const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
        for (const std::string& name : MemoryFileSystem::SubFolders(folder, true))
            if (includeHidden || !hidden.count(prefix + name)) names.push_back(name);
        return names;
    }
    void Make(const std::string& path) {
        folders.insert(path.substr(0, 3));
        for (std::size_t i = 3; i <= path.size(); ++i)
            if (i == path.size() || path[i] == '\\') folders.insert(path.substr(0, i));
    }
    std::set<std::string> hidden;
};

class DriveTable : public platform::Drives {
public:
    std::vector<char> Letters() override {
        std::vector<char> letters;
        for (const auto& [letter, type] : types) letters.push_back(letter);
        return letters;
    }
    platform::DriveType TypeOf(const std::string& root) override {
        const auto it = types.find(root.empty() ? '?' : root[0]);
        return it == types.end() ? platform::DriveType::NoRootDirectory : it->second;
    }
    std::map<char, platform::DriveType> types;
};

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() {
        drives.types = {{'A', platform::DriveType::Removable},
                        {'C', platform::DriveType::Fixed},
                        {'D', platform::DriveType::Fixed}};
        for (const char* path : {"A:\\Floppy", "C:\\Program Files\\Common", "C:\\Windows",
                                 "C:\\apps", "D:\\Games\\Net", "D:\\Games\\Solo", "D:\\Secret"})
            files.Make(path);
        files.hidden.insert("D:\\Secret");
        tree.SetBounds(0, 0, 200, 4 + 5 * ui::FolderTree::kRowHeight);  // five rows
        tree.OnAddFolder = [this](const std::string& path) {
            asked.push_back(path);
            return path.compare(0, 1, "A") != 0;  // the removable drive stays out
        };
        tree.OnChange = [this] { changes.push_back(tree.SelectedPath()); };
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto* node : tree.Rows()) names.push_back(node->name);
        return names;
    }

    Folders files;
    DriveTable drives;
    ui::Panel panel{nullptr};
    ui::FolderTree tree{&panel, drives, files, "ShellTree"};
    std::vector<std::string> asked;
    std::vector<std::string> changes;
};

TEST_F(FolderTreeTest, ListsVetoedDrivesOutAndReadsFoldersOnlyWhenExpanded) {
    EXPECT_EQ(Names(), (std::vector<std::string>{"My Computer", "C:\\", "D:\\"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"A:\\", "C:\\", "D:\\"}));
    EXPECT_TRUE(tree.Root().children[0]->MayHaveChildren());

    tree.Expand(*tree.Root().children[0]);
    // Sorted without regard to case, each one offered to the veto first.
    EXPECT_EQ(Names(), (std::vector<std::string>{"My Computer", "C:\\", "apps", "Program Files",
                                                 "Windows", "D:\\"}));
    EXPECT_EQ(asked.back(), "C:\\Windows");
    EXPECT_EQ(tree.Rows()[3]->path, "C:\\Program Files");
    EXPECT_EQ(tree.Rows()[3]->level, 2);

    tree.Expand(*tree.Root().children[1]);
    const std::vector<std::string> names = Names();
    EXPECT_EQ(std::vector<std::string>(names.begin() + 6, names.end()),
              (std::vector<std::string>{"Games"}));  // the hidden folder is not listed

    tree.Expand(*tree.Rows()[2]);  // C:\apps has nothing below it
    EXPECT_FALSE(tree.Rows()[2]->MayHaveChildren());
    EXPECT_TRUE(changes.empty());
}

TEST_F(FolderTreeTest, SelectPathExpandsTheWayAndReportsTheChange) {
    tree.SelectPath("d:\\games\\net\\");
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games\\Net");
    EXPECT_EQ(changes, (std::vector<std::string>{"D:\\Games\\Net"}));
    EXPECT_TRUE(tree.Root().children[1]->expanded);
    EXPECT_FALSE(tree.Selected()->expanded);  // only the ancestors open

    tree.SelectPath("D:\\Games\\Net");  // the same node: no change to report
    EXPECT_EQ(changes.size(), 1u);

    tree.SelectPath("C:\\");
    EXPECT_EQ(tree.SelectedPath(), "C:\\");
    EXPECT_EQ(changes.back(), "C:\\");
}

TEST_F(FolderTreeTest, SelectPathOfAMissingFolderRaisesAndKeepsTheSelection) {
    tree.SelectPath("C:\\Windows");
    for (const char* missing : {"C:\\Nowhere", "Q:\\", "", "C:", "relative\\path"}) {
        SCOPED_TRACE(missing);
        EXPECT_THROW(tree.SelectPath(missing), Exception);
        EXPECT_EQ(tree.SelectedPath(), "C:\\Windows");
    }
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(FolderTreeTest, SelectPathOfAnUnlistedFolderEndsWithNoSelection) {
    for (const char* unlisted : {"A:\\Floppy", "D:\\Secret"}) {
        SCOPED_TRACE(unlisted);
        tree.SelectPath("C:\\Windows");
        changes.clear();
        tree.SelectPath(unlisted);
        EXPECT_EQ(tree.Selected(), nullptr);
        EXPECT_EQ(tree.SelectedPath(), "");
        EXPECT_EQ(changes, (std::vector<std::string>{""}));
    }
}

TEST_F(FolderTreeTest, ScrollingKeepsTheSelectedRowInView) {
    EXPECT_EQ(tree.VisibleRowCount(), 5);
    tree.SelectPath("D:\\Games\\Solo");  // rows: MC C apps PF Windows D Games Net Solo
    tree.Expand(*tree.Root().children[0]);
    EXPECT_EQ(tree.TopRow(), 0);
    tree.ScrollSelectedIntoView();
    EXPECT_EQ(tree.TopRow(), 4);  // Solo (row 8) is the last visible row
    tree.SelectPath("C:\\");
    tree.ScrollSelectedIntoView();
    EXPECT_EQ(tree.TopRow(), 1);
    tree.SetTopRow(100);
    EXPECT_EQ(tree.TopRow(), 4);  // no scrolling past the last row
    tree.Collapse(*tree.Root().children[0]);
    EXPECT_EQ(tree.TopRow(), 1);  // fewer rows: clamped again
}

TEST_F(FolderTreeTest, ClicksSelectAndTheExpanderOpens) {
    const int row = ui::FolderTree::kRowHeight;
    tree.ClickAt(60, 1 * row + 3);  // on the text of C:\ (row 1)
    EXPECT_EQ(tree.SelectedPath(), "C:\\");
    EXPECT_FALSE(tree.Root().children[0]->expanded);

    const int expander = ui::FolderTree::IconLeft(*tree.Root().children[0]) - 5;
    tree.ClickAt(expander, 2 * row + 3);  // D:\'s expander
    EXPECT_EQ(tree.SelectedPath(), "D:\\");
    EXPECT_TRUE(tree.Root().children[1]->expanded);

    tree.ClickAt(60, 3 * row + 3, true);  // double click on Games
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games");
    EXPECT_EQ(Names().back(), "Solo");

    EXPECT_EQ(tree.NodeAt(4 * row + 1), tree.Rows()[4]);  // Net, below Games
    EXPECT_EQ(tree.NodeAt(40 * row), nullptr);
    tree.ClickAt(60, 40 * row);  // below the last row: nothing
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games");
    EXPECT_EQ(changes, (std::vector<std::string>{"C:\\", "D:\\", "D:\\Games"}));
}

TEST_F(FolderTreeTest, KeysMoveOpenAndClose) {
    EXPECT_TRUE(tree.KeyDown(Key::Down));  // nothing selected: the first row
    EXPECT_EQ(tree.Selected(), &tree.Root());
    tree.KeyDown(Key::End);
    EXPECT_EQ(tree.SelectedPath(), "D:\\");
    tree.KeyDown(Key::Right);  // opens
    EXPECT_EQ(tree.SelectedPath(), "D:\\");
    EXPECT_TRUE(tree.Selected()->expanded);
    tree.KeyDown(Key::Right);  // into the first child
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games");
    tree.KeyDown(Key::Enter);
    tree.KeyDown(Key::Down);
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games\\Net");
    tree.KeyDown(Key::Left);  // a closed node: to its parent
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games");
    tree.KeyDown(Key::Left);  // an open one: closes
    EXPECT_FALSE(tree.Selected()->expanded);
    tree.KeyDown(Key::Up);
    tree.KeyDown(Key::Up);
    EXPECT_EQ(tree.SelectedPath(), "C:\\");
    tree.KeyDown(Key::Home);
    tree.KeyDown(Key::Left);  // My Computer never closes
    EXPECT_TRUE(tree.Root().expanded);
}

TEST_F(FolderTreeTest, CollapsingAboveTheSelectionSelectsTheCollapsedNode) {
    tree.SelectPath("D:\\Games\\Net");
    tree.Collapse(*tree.Root().children[1]);
    EXPECT_EQ(tree.SelectedPath(), "D:\\");
    tree.SelectPath("D:\\Games\\Net");
    tree.Collapse(*tree.Root().children[0]);  // another branch: selection stays
    EXPECT_EQ(tree.SelectedPath(), "D:\\Games\\Net");
}

TEST_F(FolderTreeTest, DetachedOnChangeIsNotCalled) {
    auto attached = tree.OnChange;
    tree.OnChange = nullptr;
    tree.SelectPath("C:\\Windows");
    tree.OnChange = attached;
    EXPECT_TRUE(changes.empty());
    tree.SelectPath("C:\\apps");
    EXPECT_EQ(changes, (std::vector<std::string>{"C:\\apps"}));
}

}  // namespace
}  // namespace torvane
