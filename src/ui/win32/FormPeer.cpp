#include "ui/win32/FormPeer.h"

#include <algorithm>

#include "ui/win32/Gdi.h"
#include "ui/win32/Win32Application.h"

namespace torvane::ui::win32 {

FormPeer::FormPeer(PeerContext& context, Form& form) : ControlWindow(context, form), form_(form) {
    RegisterClassOnce(kClassName, 0, context.ProgramIcon(false), context.ProgramIcon(true));
    const RECT frame = FrameRect(false);
    Create(kClassName, kExStyle, kStyle, form.Caption().c_str(), frame.left, frame.top,
           frame.right - frame.left, frame.bottom - frame.top, nullptr);
    registered_ = Handle();
    context.Host().SetMainWindow(registered_);
}

RECT FormPeer::FrameRect(bool keepPlace) const {
    RECT frame{0, 0, form_.Width(), form_.Height()};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = 0, top = 0;
    RECT current;
    if (keepPlace && Handle() && ::GetWindowRect(Handle(), &current)) {
        left = current.left;
        top = current.top;
    } else {
        RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        // A screen smaller than the window keeps the caption reachable.
        left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
        top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    }
    return RECT{left, top, left + width, top + height};
}

void FormPeer::ApplyBounds() {
    RECT frame = FrameRect(shown_);
    ::SetWindowPos(Handle(), nullptr, frame.left, frame.top, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame computed from the style is not always what the system gives
    // (window managers under Wine, themes): correct by what is missing.
    RECT client;
    if (!::GetClientRect(Handle(), &client)) return;
    const int missingWidth = form_.Width() - client.right;
    const int missingHeight = form_.Height() - client.bottom;
    if (missingWidth == 0 && missingHeight == 0) return;
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left + missingWidth,
                   frame.bottom - frame.top + missingHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void FormPeer::ApplyVisible() {
    if (!form_.Visible()) {
        ::ShowWindow(Handle(), SW_HIDE);
        return;
    }
    if (!shown_) {
        // Centred when first shown, on the work area of that moment.
        const RECT frame = FrameRect(false);
        ::SetWindowPos(Handle(), nullptr, frame.left, frame.top, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        shown_ = true;
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::UpdateWindow(Handle());
    ::SetForegroundWindow(Handle());
}

void FormPeer::Apply(Property what) {
    switch (what) {
        case Property::All:
            ApplyAlpha();
            break;
        case Property::Alpha:
            ApplyAlpha();
            break;
        case Property::Color:
            ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            break;
        case Property::Closed:
            if (form_.Closed()) {
                ::DestroyWindow(Handle());
                ::PostQuitMessage(0);
            }
            break;
        default:
            break;
    }
}

void FormPeer::ApplyAlpha() {
    if (!Handle()) return;
    const LONG_PTR exStyle = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    if (form_.AlphaBlend()) {
        if (!(exStyle & WS_EX_LAYERED))
            ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        const int alpha = std::clamp(form_.AlphaBlendValue(), 0, 255);
        ::SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    } else if (exStyle & WS_EX_LAYERED) {
        ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle & ~LONG_PTR{WS_EX_LAYERED});
        // Leaving the layered state, the window must draw itself again.
        ::RedrawWindow(Handle(), nullptr, nullptr,
                       RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void FormPeer::Paint(HDC dc, const RECT& client) { FillSolid(dc, client, form_.GetColor()); }

LRESULT FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Every outside close request ends up here (Alt+F4 and the taskbar's
    // Close arrive as SC_CLOSE first); the form decides whether it may close,
    // so that no work in progress is cut off half-way.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && !form_.CanClose()) return 0;
    if (message == WM_CLOSE) {
        form_.RequestClose();
        return 0;
    }
    return ControlWindow::HandleMessage(message, wParam, lParam);
}

void FormPeer::Destroyed() {
    Win32ApplicationHost& host = Context().Host();
    if (host.MainWindow() == registered_) host.SetMainWindow(nullptr);
}

}  // namespace torvane::ui::win32
