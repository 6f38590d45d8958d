#include "ui/win32/SpeedButtonPeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

SpeedButtonPeer::SpeedButtonPeer(PeerContext& context, TLbSpeedButton& button)
    : ControlWindow(context, button), button_(button) {
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW);
    CreateChild(kClassName);
}

void SpeedButtonPeer::Apply(Property what) {
    // Pressing and releasing show at once, even inside a click handler that
    // runs for a while before the next message loop pass.
    if (what == Property::Pressed) Repaint(true);
}

void SpeedButtonPeer::Paint(HDC dc, const RECT& client) {
    const int width = client.right;
    const int height = client.bottom;
    const ButtonFace face = ComputeButtonFace(button_);

    // The corners outside the rounded outline show the bar.
    PaintParentBackground(dc, button_, client);
    for (const GradientBand& band : face.bands) {
        if (band.height <= 0) continue;
        RECT strip{2, band.top, width - 2, band.top + band.height};
        FillSolid(dc, strip, band.color);
    }

    SelectedObject hollow(dc, ::GetStockObject(NULL_BRUSH));
    {
        UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(face.innerFrame)));
        SelectedObject selected(dc, pen.Get());
        ::Rectangle(dc, 1, 1, width - 1, height - 1);
    }
    {
        UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(face.outline)));
        SelectedObject selected(dc, pen.Get());
        ::RoundRect(dc, 0, 0, width, height, 6, 6);
    }

    const std::string& caption = button_.Caption();
    if (caption.empty()) return;
    SelectedObject font(dc, Context().Fonts().Get(button_.GetFont()));
    auto measure = [dc](const std::string& text) {
        const std::string shown = DisplayCaption(text);
        SIZE size{};
        ::GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
        return static_cast<int>(size.cx);
    };
    const std::string fitted = FitCaption(caption, face.captionWidth, measure);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(face.text));
    RECT box{face.captionLeft, face.captionTop, face.captionLeft + face.captionWidth,
             face.captionTop + face.captionHeight};
    // DrawText draws "&x" as an underlined x itself.
    ::DrawTextA(dc, fitted.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT SpeedButtonPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            tracking_ = true;
            ::SetCapture(Handle());
            button_.MouseDown();
            return 0;
        case WM_LBUTTONUP: {
            if (!tracking_) return 0;
            // Cleared before ReleaseCapture, whose WM_CAPTURECHANGED must not
            // count as losing the press.
            tracking_ = false;
            ::ReleaseCapture();
            RECT client;
            ::GetClientRect(Handle(), &client);
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            button_.MouseUp(::PtInRect(&client, at) != FALSE);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (another window, a message box): the
            // button is released without a click.
            if (tracking_) {
                tracking_ = false;
                button_.MouseUp(false);
            }
            return 0;
        default:
            return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace torvane::ui::win32
