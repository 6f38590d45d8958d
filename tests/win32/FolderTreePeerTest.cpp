// The hand-drawn folder tree on screen: clicks, keys, the wheel and the
// scroll bar reach the model, and the selection is painted.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "Fixture.h"
#include "ui/FolderTree.h"
#include "ui/win32/ControlWindow.h"

using namespace torvane;
using namespace torvane::win32test;
using ui::win32::ControlWindow;

namespace {

// Drive C: with the folders given, all in memory.
struct Folders : platform::FileSystem, platform::Drives {
    std::set<std::string> folders{"C:\\"};
    std::unique_ptr<platform::WritableFile> CreateFile(const std::string&) override {
        return nullptr;
    }
    int ReplaceFile(const std::string&, const std::string&) override { return 5; }
    bool DeleteFile(const std::string&) override { return false; }
    std::string ErrorText(int) override { return {}; }
    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        if (folders.count(path)) return platform::kAttributeDirectory;
        return std::nullopt;
    }
    int SetAttributes(const std::string&, std::uint32_t) override { return 5; }
    int CreateFolder(const std::string&) override { return 5; }
    std::optional<std::string> FullLongPath(const std::string& path) override { return path; }
    std::vector<std::string> SubFolders(const std::string& folder, bool) override {
        const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
        std::vector<std::string> names;
        for (const std::string& f : folders)
            if (f.size() > prefix.size() && f.compare(0, prefix.size(), prefix) == 0 &&
                f.find('\\', prefix.size()) == std::string::npos)
                names.push_back(f.substr(prefix.size()));
        return names;
    }
    std::vector<char> Letters() override { return {'C'}; }
    platform::DriveType TypeOf(const std::string&) override { return platform::DriveType::Fixed; }
};

struct TreeOnForm : Fixture {
    TreeOnForm() : form(app, "Form"), tree(&form, system, system, "Tree") {
        for (int i = 0; i < 30; ++i) system.folders.insert("C:\\Folder" + std::to_string(10 + i));
        form.SetBounds(0, 0, 300, 300);
        form.SetPeerFactory(&factory);
        tree.SetBounds(10, 10, 200, 4 + 8 * ui::FolderTree::kRowHeight);  // eight rows
        tree.OnChange = [this] { changes.push_back(tree.SelectedPath()); };
        form.Realize();
        form.Show();
        host.ProcessMessages();
    }
    HWND Window() const { return ControlWindow::WindowOf(&tree); }
    void Send(UINT message, WPARAM w, LPARAM l) {
        ::SendMessageA(Window(), message, w, l);
        host.ProcessMessages();
    }
    SCROLLINFO Scroll() const {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        ::GetScrollInfo(Window(), SB_VERT, &info);
        return info;
    }
    Folders system;
    ui::Form form;
    ui::FolderTree tree;
    std::vector<std::string> changes;
};

}  // namespace

TEST(FolderTreePeer, FolderTreePeerClicksAndKeysReachTheModel) {
    TreeOnForm t;
    ASSERT_TRUE(t.Window() != nullptr);
    const int row = ui::FolderTree::kRowHeight;
    const int expanderX = ui::FolderTree::IconLeft(*t.tree.Root().children[0]) - 5;
    t.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(expanderX, row + row / 2));  // C:\'s expander
    EXPECT_EQ(t.tree.SelectedPath(), std::string("C:\\"));
    EXPECT_TRUE(t.tree.Root().children[0]->expanded);
    EXPECT_TRUE(::GetFocus() == t.Window());

    t.Send(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(t.tree.SelectedPath(), std::string("C:\\Folder10"));
    t.Send(WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(t.tree.SelectedPath(), std::string("C:\\Folder39"));
    EXPECT_TRUE(t.tree.TopRow() > 0);  // scrolled to keep it in view
    EXPECT_EQ(t.Scroll().nPos, t.tree.TopRow());
    EXPECT_EQ(t.Scroll().nMax, 31);  // My Computer, C:\ and thirty folders
    EXPECT_EQ(t.changes.size(), std::size_t{3});

    t.Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, row / 2));  // the first row on show
    EXPECT_TRUE(t.tree.Selected() == t.tree.Rows()[t.tree.TopRow()]);
    EXPECT_EQ(t.failures.size(), std::size_t{0});
}

TEST(FolderTreePeer, FolderTreePeerScrollsWithTheBarAndTheWheel) {
    TreeOnForm t;
    t.tree.Expand(*t.tree.Root().children[0]);
    t.host.ProcessMessages();
    t.Send(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(t.tree.TopRow(), t.tree.VisibleRowCount());
    t.Send(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(t.tree.TopRow(), t.tree.VisibleRowCount() - 1);
    t.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(t.tree.TopRow(), t.tree.VisibleRowCount() + 2);
    t.Send(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(t.tree.TopRow(), 32 - t.tree.VisibleRowCount());
    EXPECT_EQ(t.Scroll().nPos, t.tree.TopRow());
}

TEST(FolderTreePeer, FolderTreePeerPaintsTheSelection) {
    TreeOnForm t;
    t.tree.SelectPath("C:\\");
    t.host.ProcessMessages();
    const int row = ui::FolderTree::kRowHeight;
    const int textX =
        ui::FolderTree::IconLeft(*t.tree.Root().children[0]) + ui::FolderTree::kIconSize + 5;
    {
        Snapshot shot(t.Window());
        // Not focused: the face colour behind the selected name, white elsewhere.
        EXPECT_EQ(shot.At(textX, row + 2), ::GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(shot.At(textX, 2 * row + 2), RGB(255, 255, 255));
    }
    ::SetFocus(t.Window());
    t.host.ProcessMessages();
    Snapshot focused(t.Window());
    EXPECT_EQ(focused.At(textX, row + 2), ::GetSysColor(COLOR_HIGHLIGHT));
}
