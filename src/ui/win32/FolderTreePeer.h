#pragma once
#include "ui/FolderTree.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// The folder tree drawn by hand: one row per node shown, indented per level,
// with a +/- expander, the shell's small icon of the drive or folder (the
// system image list's, ShellIcons) and the name; a vertical scroll bar of
// the window's own. Clicks, the wheel and the
// keys go to the model (FolderTree), which holds the selection and the rows.
//
// Drawn rather than a common TreeView so that no common-controls library has
// to be loaded (the program imports none, and loading one at run time would
// need the activation of the manifest's version); the model also keeps
// every decision headless and tested.
class FolderTreePeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneFolderTree";

    FolderTreePeer(PeerContext& context, FolderTree& tree);

protected:
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateScrollBar();
    void Scroll(int code);
    void PaintRow(HDC dc, const FolderTree::Node& node, int top, int width, bool focused);

    FolderTree& tree_;
    int wheelRest_ = 0;  // wheel movement not yet worth a row
};

}  // namespace torvane::ui::win32
