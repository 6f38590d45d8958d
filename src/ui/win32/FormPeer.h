#pragma once
#include "ui/Form.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// The main window: a top-level window with a caption and a dialog border, not
// resizable, with no system menu and so no border icons (no close, minimise or
// maximise box). The form's bounds are its client area; the frame is sized
// around it and the window is centred on the work area when first shown.
//
// Alpha blending (the fade-in) is a layered window with a constant alpha;
// switching it off drops the layered style, so the window is plainly opaque.
// Closing the form destroys the window and ends the message loop with exit
// code 0. Windows' own close requests (Alt+F4, the taskbar's Close,
// WM_CLOSE) go through Form::RequestClose, which refuses them while the form
// says it cannot close.
class FormPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneForm";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    static constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

    FormPeer(PeerContext& context, Form& form);

protected:
    void ApplyBounds() override;
    void ApplyVisible() override;
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Destroyed() override;

private:
    void ApplyAlpha();
    // Window rectangle of a frame around the form's client area, centred on
    // the work area (or kept where it is when `keepPlace`).
    RECT FrameRect(bool keepPlace) const;

    Form& form_;
    bool shown_ = false;
    HWND registered_ = nullptr;  // the handle given to the host as main window
};

}  // namespace torvane::ui::win32
