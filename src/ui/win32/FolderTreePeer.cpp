#include "ui/win32/FolderTreePeer.h"

#include <algorithm>

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

namespace {

constexpr int kWheelRows = 3;

void Box(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF frame) {
    UniqueBrush brush(::CreateSolidBrush(fill));
    UniquePen pen(::CreatePen(PS_SOLID, 1, frame));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, pen.Get());
    ::Rectangle(dc, left, top, right, bottom);
}

}  // namespace

FolderTreePeer::FolderTreePeer(PeerContext& context, FolderTree& tree)
    : ControlWindow(context, tree), tree_(tree) {
    RegisterClassOnce(kClassName, CS_DBLCLKS);
    CreateChild(kClassName, WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE);
}

void FolderTreePeer::Apply(Property what) {
    if (what == Property::All || what == Property::Items || what == Property::Position ||
        what == Property::Bounds)
        UpdateScrollBar();
    if (what == Property::Selection || what == Property::Items || what == Property::Position)
        Repaint();
}

void FolderTreePeer::UpdateScrollBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(tree_.Rows().size()) - 1;
    info.nPage = static_cast<UINT>(tree_.VisibleRowCount());
    info.nPos = tree_.TopRow();
    ::SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void FolderTreePeer::Scroll(int code) {
    const int page = tree_.VisibleRowCount();
    switch (code) {
        case SB_LINEUP:
            tree_.SetTopRow(tree_.TopRow() - 1);
            break;
        case SB_LINEDOWN:
            tree_.SetTopRow(tree_.TopRow() + 1);
            break;
        case SB_PAGEUP:
            tree_.SetTopRow(tree_.TopRow() - page);
            break;
        case SB_PAGEDOWN:
            tree_.SetTopRow(tree_.TopRow() + page);
            break;
        case SB_TOP:
            tree_.SetTopRow(0);
            break;
        case SB_BOTTOM:
            tree_.SetTopRow(static_cast<int>(tree_.Rows().size()));
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (::GetScrollInfo(Handle(), SB_VERT, &info)) tree_.SetTopRow(info.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void FolderTreePeer::PaintRow(HDC dc, const FolderTree::Node& node, int top, int width,
                              bool focused) {
    const int iconLeft = FolderTree::IconLeft(node);
    const int middle = top + FolderTree::kRowHeight / 2;
    if (node.level > 0 && node.MayHaveChildren()) {
        const int centre = iconLeft - FolderTree::kIndent / 2;
        Box(dc, centre - 4, middle - 4, centre + 5, middle + 5, RGB(255, 255, 255),
            RGB(128, 128, 128));
        UniquePen pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        SelectedObject p(dc, pen.Get());
        ::MoveToEx(dc, centre - 2, middle, nullptr);
        ::LineTo(dc, centre + 3, middle);
        if (!node.expanded) {
            ::MoveToEx(dc, centre, middle - 2, nullptr);
            ::LineTo(dc, centre, middle + 3);
        }
    }
    const bool selected = tree_.Selected() == &node;
    // The shell's own icon; the selected folder shows open, as in Explorer.
    if (HICON icon = Context().Icons().Small(node.path, selected && node.level > 0))
        ::DrawIconEx(dc, iconLeft, top + (FolderTree::kRowHeight - FolderTree::kIconSize) / 2, icon,
                     FolderTree::kIconSize, FolderTree::kIconSize, 0, nullptr, DI_NORMAL);

    const int textLeft = iconLeft + FolderTree::kIconSize + 3;
    SIZE size{};
    ::GetTextExtentPoint32A(dc, node.name.c_str(), static_cast<int>(node.name.size()), &size);
    RECT text{textLeft, top + 1, std::min<int>(width, textLeft + size.cx + 4),
              top + FolderTree::kRowHeight - 1};
    // The selection stays visible without the focus, in the face colour.
    if (selected)
        ::FillRect(dc, &text, ::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner{text.left + 2, text.top, text.right, text.bottom};
    ::DrawTextA(dc, node.name.c_str(), static_cast<int>(node.name.size()), &inner,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && focused) ::DrawFocusRect(dc, &text);
}

void FolderTreePeer::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, tree_.GetColor());
    SelectedObject font(dc, Context().Fonts().Get(tree_.GetFont()));
    ::SetBkMode(dc, TRANSPARENT);
    const bool focused = ::GetFocus() == Handle();
    const std::vector<FolderTree::Node*> rows = tree_.Rows();
    int top = 0;
    for (std::size_t i = static_cast<std::size_t>(tree_.TopRow());
         i < rows.size() && top < client.bottom; ++i) {
        PaintRow(dc, *rows[i], top, client.right, focused);
        top += FolderTree::kRowHeight;
    }
}

LRESULT FolderTreePeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_LBUTTONDOWN:
            ::SetFocus(Handle());
            tree_.ClickAt(x, y);
            return 0;
        case WM_LBUTTONDBLCLK:
            tree_.ClickAt(x, y, true);
            return 0;
        case WM_RBUTTONDOWN:
            // A right click selects the node under the mouse; there is no menu.
            ::SetFocus(Handle());
            if (FolderTree::Node* node = tree_.NodeAt(y)) tree_.Select(node);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Repaint();
            return 0;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN: {
            FolderTree::Key key;
            switch (wParam) {
                case VK_UP:
                    key = FolderTree::Key::Up;
                    break;
                case VK_DOWN:
                    key = FolderTree::Key::Down;
                    break;
                case VK_LEFT:
                    key = FolderTree::Key::Left;
                    break;
                case VK_RIGHT:
                    key = FolderTree::Key::Right;
                    break;
                case VK_HOME:
                    key = FolderTree::Key::Home;
                    break;
                case VK_END:
                    key = FolderTree::Key::End;
                    break;
                case VK_PRIOR:
                    key = FolderTree::Key::PageUp;
                    break;
                case VK_NEXT:
                    key = FolderTree::Key::PageDown;
                    break;
                case VK_RETURN:
                    key = FolderTree::Key::Enter;
                    break;
                default:
                    return DefaultHandling(message, wParam, lParam);
            }
            tree_.KeyDown(key);
            return 0;
        }
        case WM_CHAR:
            return 0;  // Enter and letters: no beep
        case WM_VSCROLL:
            Scroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            wheelRest_ += static_cast<short>(HIWORD(wParam));
            const int rows = wheelRest_ / WHEEL_DELTA * kWheelRows;
            wheelRest_ %= WHEEL_DELTA;
            if (rows != 0) tree_.SetTopRow(tree_.TopRow() - rows);
            return 0;
        }
        default:
            return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace torvane::ui::win32
