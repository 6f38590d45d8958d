#pragma once
#include <string>

#include "ui/Control.h"

namespace torvane::ui {

struct TextSize {
    int width = 0, height = 0;
};

// Lays texts out in the fonts the controls are drawn with. The Win32 peer
// factory provides one; a headless tree has none, and its layout stays as
// the panels set it.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The size `text` takes in `font`, its lines broken at carriage returns
    // and, when `wrapWidth` > 0, at word ends so that no line is wider than
    // that (a single word may still be). "&" marks an accelerator, as drawn.
    virtual TextSize Measure(const Font& font, const std::string& text, int wrapWidth) const = 0;
    // Pixels a control of `kind` keeps beside its one-line caption: the mark
    // of a check box or radio button, a push button's edges, the inset of a
    // group's caption. 0 for labels.
    virtual int CaptionMargin(ControlKind kind) const = 0;
};

}  // namespace torvane::ui
