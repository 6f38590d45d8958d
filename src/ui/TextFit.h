#pragma once
#include <optional>

#include "ui/Control.h"
#include "ui/TextMeasurer.h"

namespace torvane::ui {

class Label;

// Whole texts in whatever font the system draws with. The layouts were made
// for one bitmap face; another face, or the same face drawn by another
// system, is a little wider here and there. A text that fits its box keeps
// the box exactly as laid out; one that would be cut gets a box grown just
// enough, first downwards, then to the right, then to the left, and only
// into room no other control of its parent takes; only where none of that
// helps, downwards with whatever lies below moved down as far. A framed
// panel grows the same way when a label on it would run past its edge, and
// where it cannot grow enough its labels flow on over more lines.
//
// Fits every text control below `root` (labels, text boxes, check boxes,
// radio buttons, push buttons). Does nothing without a measurer (headless).
void FitTexts(Container& root);

// The size of a label's caption as it is drawn: its window's size when it
// sizes itself to its text. Nothing without a measurer.
std::optional<TextSize> MeasuredText(const Label& label);

// Puts `follower` right where `sentence`'s text ends, so that two labels
// read as one line (a sentence and its link). Without a measurer it stays
// where it is.
void PlaceAfter(const Label& sentence, Control& follower);

// The same, but never left of `layoutLeft`: the follower keeps its layout
// place while the sentence before it fits there.
void PlaceAfterAtLeast(const Label& sentence, Control& follower, int layoutLeft);

}  // namespace torvane::ui
