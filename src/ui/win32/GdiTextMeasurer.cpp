#include "ui/win32/GdiTextMeasurer.h"

namespace torvane::ui::win32 {

GdiTextMeasurer::GdiTextMeasurer(FontCache& fonts)
    : fonts_(fonts), dc_(::CreateCompatibleDC(nullptr)) {}

TextSize GdiTextMeasurer::Measure(const Font& font, const std::string& text, int wrapWidth) const {
    if (!dc_) return {};
    SelectedObject selected(dc_.Get(), fonts_.Get(font));
    const std::string lines = ToDrawTextLines(text);
    RECT box{0, 0, wrapWidth, 0};
    ::DrawTextA(dc_.Get(), lines.c_str(), -1, &box,
                DT_LEFT | DT_EXPANDTABS | DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : 0));
    return {box.right, box.bottom};
}

int GdiTextMeasurer::CaptionMargin(ControlKind kind) const {
    switch (kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            // The mark, and the gap a BUTTON window leaves on both sides of it.
            return ::GetSystemMetrics(SM_CXMENUCHECK) + 2 * ::GetSystemMetrics(SM_CXEDGE);
        case ControlKind::Button:
            return 2 * ::GetSystemMetrics(SM_CXEDGE);
        case ControlKind::GroupBox:
            return 16;  // the caption sits on the frame's top edge, inset on both sides
        default:
            return 0;
    }
}

}  // namespace torvane::ui::win32
