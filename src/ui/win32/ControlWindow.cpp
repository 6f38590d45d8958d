#include "ui/win32/ControlWindow.h"

#include "ui/Accessible.h"
#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

namespace {
// Ends a paint whether or not painting failed.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};
}  // namespace

ControlWindow::ControlWindow(PeerContext& context, Control& control)
    : Window(context.App()), context_(context), control_(control) {}

ControlWindow::~ControlWindow() {
    // A screen reader may still hold the accessible object: it finds no control.
    if (accessible_) accessible_->control = nullptr;
}

ControlWindow* ControlWindow::WindowPeerOf(const Control* control) {
    ControlPeer* peer = control ? control->Peer() : nullptr;
    return peer && peer->IsWindow() ? static_cast<ControlWindow*>(peer) : nullptr;
}

HWND ControlWindow::WindowOf(const Control* control) {
    ControlWindow* peer = WindowPeerOf(control);
    return peer ? peer->Handle() : nullptr;
}

void ControlWindow::CreateChild(const char* className, DWORD style, DWORD exStyle) {
    HWND parent = WindowOf(control_.Parent());
    const Bounds b = control_.GetBounds();
    Create(className, exStyle, WS_CHILD | WS_CLIPSIBLINGS | style, control_.Caption().c_str(),
           b.left, b.top, b.width, b.height, parent);
    PlaceInZOrder();
}

void ControlWindow::PlaceInZOrder() {
    // Windows links a new child below its siblings. Images go below every
    // non-image sibling, so after each new child they are moved down again,
    // the last created first: the earliest image ends at the very bottom.
    if (!control_.Parent()) return;
    const std::vector<Control*>& siblings = control_.Parent()->Children();
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
        if ((*it)->Kind() != ControlKind::Image) continue;
        // This control's own peer is not attached to it yet while it is created.
        if (HWND image = *it == &control_ ? Handle() : WindowOf(*it))
            ::SetWindowPos(image, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void ControlWindow::Changed(Property what) {
    if (!Handle()) return;
    switch (what) {
        case Property::All:
            ::SetWindowTextA(Handle(), WindowText().c_str());
            ::EnableWindow(Handle(), control_.Enabled());
            ApplyBounds();
            Apply(what);
            ApplyVisible();
            Repaint();
            return;
        case Property::Bounds:
            ApplyBounds();
            break;
        case Property::Visible:
            ApplyVisible();
            break;
        case Property::Caption:
            ::SetWindowTextA(Handle(), WindowText().c_str());
            Repaint();
            break;
        case Property::Enabled:
            ::EnableWindow(Handle(), control_.Enabled());
            Repaint();
            break;
        case Property::Focus:
            ::SetFocus(Handle());
            break;
        default:
            Repaint();
            break;
    }
    Apply(what);
}

void ControlWindow::ApplyBounds() {
    const Bounds b = WindowBounds();
    ::SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::ApplyVisible() {
    ::ShowWindow(Handle(), control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::Repaint(bool now) {
    if (!Handle()) return;
    ::InvalidateRect(Handle(), nullptr, FALSE);
    if (now) ::UpdateWindow(Handle());
}

void ControlWindow::PaintParentBackground(HDC dc, const Control& control, const RECT& area) {
    const Container* parent = control.Parent();
    FillSolid(dc, area, parent ? parent->GetColor() : control.GetColor());
    if (!parent) return;
    const bool isImage = control.Kind() == ControlKind::Image;
    for (Control* sibling : parent->Children()) {
        if (sibling == &control) {
            // Images stack in creation order; everything else is above all images.
            if (isImage) break;
            continue;
        }
        if (sibling->Kind() != ControlKind::Image || !sibling->Visible()) continue;
        // The kind says the peer is an image's, which is a window.
        auto* image = static_cast<ControlWindow*>(sibling->Peer());
        if (!image) continue;
        const int dx = sibling->Left() - control.Left();
        const int dy = sibling->Top() - control.Top();
        RECT siblingArea{dx, dy, dx + sibling->Width(), dy + sibling->Height()};
        RECT overlap;
        if (!::IntersectRect(&overlap, &siblingArea, &area)) continue;
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
        image->PaintBehind(dc, dx, dy);
        ::RestoreDC(dc, saved);
    }
}

ControlWindow* ControlWindow::ChildPeer(HWND child) const {
    const Container* container = control_.AsContainer();
    if (!container || !child) return nullptr;
    for (Control* c : container->Children())
        if (WindowOf(c) == child) return WindowPeerOf(c);
    return nullptr;
}

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // A standard control's notification goes to its own peer.
            if (ControlWindow* child = ChildPeer(reinterpret_cast<HWND>(lParam))) {
                child->Command(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (ControlWindow* child = ChildPeer(reinterpret_cast<HWND>(lParam)))
                if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PaintScope paint(Handle());
            RECT client;
            ::GetClientRect(Handle(), &client);
            BackBuffer buffer(paint.Dc(), client.right, client.bottom);
            Paint(buffer.Dc(), client);
            buffer.CopyTo(paint.Dc());
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            ::GetClientRect(Handle(), &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_GETOBJECT: {
            if (!accessible_)
                accessible_ = std::make_shared<AccessibleLink>(AccessibleLink{&control_, Handle()});
            if (LRESULT answer =
                    AnswerGetObject(context_.Accessibility(), accessible_, wParam, lParam))
                return answer;
            break;
        }
        case kDoDefaultAction:
            DoDefaultAction(control_);
            return 0;
        case WM_SYSCHAR:
            // Alt+letter that neither a bar button nor a dialog control took: no
            // menu to open, so nothing to do, and no beep.
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace torvane::ui::win32
