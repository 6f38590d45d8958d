#pragma once
#include "ui/TextMeasurer.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

// Measures texts as the peers draw them: DrawTextA with the label peers'
// format, in the fonts of the cache, on a memory DC of the screen.
class GdiTextMeasurer : public TextMeasurer {
public:
    explicit GdiTextMeasurer(FontCache& fonts);

    TextSize Measure(const Font& font, const std::string& text, int wrapWidth) const override;
    int CaptionMargin(ControlKind kind) const override;

private:
    FontCache& fonts_;
    UniqueMemoryDc dc_;
};

}  // namespace torvane::ui::win32
