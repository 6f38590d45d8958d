#include "ui/TextFit.h"

#include <algorithm>
#include <functional>

#include "ui/Label.h"
#include "ui/Panel.h"

namespace torvane::ui {

namespace {

// Room kept free between a grown box and its neighbours or its parent's edge.
constexpr int kGap = 4;
// A framed panel's edge takes this much of each side.
constexpr int kFrameInset = 2;

// The height a control needs at a width, kTooNarrow when no height will do.
using NeedsAt = std::function<int(int width)>;
constexpr int kTooNarrow = 1 << 30;

const TextMeasurer* MeasurerOf(const Control& control) {
    PeerFactory* factory = control.Factory();
    return factory ? factory->Measurer() : nullptr;
}

bool IsLabel(const Control& control) {
    return control.Kind() == ControlKind::Label || control.Kind() == ControlKind::TextBox;
}

TextSize MeasureLabel(const TextMeasurer& measurer, const Label& label, int width) {
    return measurer.Measure(label.GetFont(), label.Caption(), label.WordWrap() ? width : 0);
}

int WidestWord(const TextMeasurer& measurer, const Font& font, const std::string& text) {
    // Words end at blanks and line breaks (no stream: the shipped program
    // keeps the C++ library's locale machinery out).
    int widest = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(" \t\r\n", start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start)
            widest =
                std::max(widest, measurer.Measure(font, text.substr(start, stop - start), 0).width);
        start = stop + 1;
    }
    return widest;
}

// Where a control really stands: a label that sizes itself is as large as
// its text.
Bounds Extent(const TextMeasurer& measurer, const Control& control) {
    Bounds b = control.GetBounds();
    if (IsLabel(control)) {
        const auto& label = static_cast<const Label&>(control);
        if (label.AutoSize() && !label.Caption().empty()) {
            const TextSize size = MeasureLabel(measurer, label, b.width);
            if (!label.WordWrap()) b.width = size.width;
            b.height = size.height;
        }
    }
    return b;
}

bool Overlap(int a0, int a1, int b0, int b1) { return a0 < b1 && b0 < a1; }

// The room around `box` that no sibling of `self` takes: siblings that
// already overlap the box (a picture behind a text) and transparent words
// do not count.
class FreeRoom {
public:
    FreeRoom(const TextMeasurer& measurer, const Control& self, const Bounds& box) : box_(box) {
        const Container* parent = self.Parent();
        parentWidth_ = parent->Width();
        parentHeight_ = parent->Height();
        for (const Control* sibling : parent->Children()) {
            if (sibling == &self || !sibling->Visible()) continue;
            if (IsLabel(*sibling) && static_cast<const Label*>(sibling)->Transparent()) continue;
            const Bounds b = Extent(measurer, *sibling);
            if (b.width <= 0 || b.height <= 0) continue;
            if (Overlap(b.left, b.left + b.width, box.left, box.left + box.width) &&
                Overlap(b.top, b.top + b.height, box.top, box.top + box.height))
                continue;
            others_.push_back(b);
        }
    }

    // The lowest bottom a box of this width may reach.
    int Bottom(int left, int width) const {
        int bottom = parentHeight_ - kGap;
        for (const Bounds& b : others_)
            if (Overlap(b.left, b.left + b.width, left, left + width) &&
                b.top >= box_.top + box_.height)
                bottom = std::min(bottom, b.top - kGap);
        return std::max(bottom, box_.top + box_.height);
    }
    // The rightmost right edge a box of this height may reach.
    int Right(int height) const {
        int right = parentWidth_ - kGap;
        for (const Bounds& b : others_)
            if (Overlap(b.top, b.top + b.height, box_.top, box_.top + height) &&
                b.left >= box_.left + box_.width)
                right = std::min(right, b.left - kGap);
        return std::max(right, box_.left + box_.width);
    }
    // The leftmost left edge a box of this height (and right edge) may reach.
    int Left(int height, int right) const {
        int left = kGap;
        for (const Bounds& b : others_)
            if (Overlap(b.top, b.top + b.height, box_.top, box_.top + height) &&
                b.left + b.width <= box_.left)
                left = std::max(left, b.left + b.width + kGap);
        return std::min(left, right - box_.width);
    }

private:
    Bounds box_;
    int parentWidth_ = 0;
    int parentHeight_ = 0;
    std::vector<Bounds> others_;
};

// Moves every sibling of `control` that lies wholly below `from` down by
// `extra` pixels, when all of them still fit their parent then; returns
// whether it did. The welcome panel's drifting words stay where they are.
bool PushDownBelow(const TextMeasurer& measurer, Control& control, int from, int extra) {
    Container* parent = control.Parent();
    std::vector<Control*> below;
    for (Control* sibling : parent->Children()) {
        if (sibling == &control || !sibling->Visible()) continue;
        if (IsLabel(*sibling) && static_cast<const Label*>(sibling)->Transparent()) continue;
        const Bounds b = Extent(measurer, *sibling);
        if (b.height <= 0 || b.top < from) continue;
        if (b.top + b.height + extra > parent->Height() - kGap) return false;
        below.push_back(sibling);
    }
    for (Control* sibling : below) sibling->SetTop(sibling->Top() + extra);
    return true;
}

// Grows `control` just enough for what `needs` asks: downwards first, then
// wider to the right, then to the left, and last downwards with whatever
// lies below it moved down as far. Leaves it as it is when nothing helps.
void Grow(const TextMeasurer& measurer, Control& control, const NeedsAt& needs) {
    const Bounds box = control.GetBounds();
    const int here = needs(box.width);
    if (here <= box.height || !control.Parent()) return;
    const FreeRoom room(measurer, control, box);

    const int bottom = room.Bottom(box.left, box.width);
    if (here <= bottom - box.top) {
        control.SetBounds(box.left, box.top, box.width, here);
        return;
    }
    const int tallest = bottom - box.top;
    // The height the box needs at this place and width, 0 when it has not
    // that much room below.
    auto heightAt = [&](int left, int width) {
        const int height = std::max(box.height, needs(width));
        const int under = room.Bottom(left, width) - box.top;
        return height <= std::min(tallest, under) ? height : 0;
    };
    const int right = room.Right(tallest);
    for (int width = box.width + 1; width <= right - box.left; ++width)
        if (const int height = heightAt(box.left, width)) {
            control.SetBounds(box.left, box.top, width, height);
            return;
        }
    const int left = room.Left(tallest, right);
    for (int width = right - box.left + 1; width <= right - left; ++width)
        if (const int height = heightAt(right - width, width)) {
            control.SetBounds(right - width, box.top, width, height);
            return;
        }
    if (here != kTooNarrow &&
        PushDownBelow(measurer, control, box.top + box.height, here - box.height))
        control.SetBounds(box.left, box.top, box.width, here);
}

NeedsAt TextNeeds(const TextMeasurer& measurer, const Label& label) {
    const int widest =
        label.WordWrap() ? WidestWord(measurer, label.GetFont(), label.Caption()) : 0;
    return [&measurer, &label, widest](int width) {
        const TextSize needs = MeasureLabel(measurer, label, width);
        return widest <= width && needs.width <= width ? needs.height : kTooNarrow;
    };
}

NeedsAt CaptionNeeds(const TextMeasurer& measurer, const Control& control) {
    const TextSize needs = measurer.Measure(control.GetFont(), control.Caption(), 0);
    const int margin = measurer.CaptionMargin(control.Kind());
    return [needs, margin](int width) {
        return needs.width <= width - margin ? needs.height : kTooNarrow;
    };
}

int FrameInset(const Container& panel) {
    return static_cast<const Panel&>(panel).GetBevel() == Bevel::None ? 0 : kFrameInset;
}

// A framed panel holds the labels that size themselves on it.
NeedsAt HoldsItsLabels(const TextMeasurer& measurer, const Container& panel) {
    int right = 0, bottom = 0;
    for (const Control* child : panel.Children()) {
        if (!IsLabel(*child) || !child->Visible() || !static_cast<const Label*>(child)->AutoSize())
            continue;
        const Bounds b = Extent(measurer, *child);
        right = std::max(right, b.left + b.width);
        bottom = std::max(bottom, b.top + b.height);
    }
    const int inset = FrameInset(panel);
    return [right, bottom, inset](int width) {
        return right + inset <= width ? bottom + inset : kTooNarrow;
    };
}

// Labels that still run past a panel's edge once it has grown as far as it
// may go on over more lines, as text flows: one that starts a line wraps at
// the edge, one that follows another on its line (an address after its
// sentence) moves to the start of the next line; what lies below moves down.
void Reflow(const TextMeasurer& measurer, Container& panel) {
    std::vector<Label*> labels;
    for (Control* child : panel.Children())
        if (IsLabel(*child) && child->Visible() && static_cast<Label*>(child)->AutoSize() &&
            !static_cast<Label*>(child)->Transparent())
            labels.push_back(static_cast<Label*>(child));
    if (labels.empty()) return;
    std::stable_sort(labels.begin(), labels.end(), [](const Label* a, const Label* b) {
        return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    int margin = labels.front()->Left();
    for (const Label* label : labels) margin = std::min(margin, label->Left());
    for (Label* label : labels) {
        const Bounds b = Extent(measurer, *label);
        const int edge = panel.Width() - FrameInset(panel);
        if (b.left + b.width <= edge) continue;
        if (b.left > margin) {
            if (PushDownBelow(measurer, *label, b.top + b.height, b.height))
                label->SetBounds(margin, b.top + b.height, label->Width(), label->Height());
        } else if (!label->WordWrap()) {
            label->SetWordWrap(true);
            label->SetBounds(b.left, b.top, edge - b.left, label->Height());
            PushDownBelow(measurer, *label, b.top + b.height,
                          Extent(measurer, *label).height - b.height);
        }
    }
}

void Fit(const TextMeasurer& measurer, Control& control) {
    if (!control.Visible()) return;
    switch (control.Kind()) {
        case ControlKind::Label:
        case ControlKind::TextBox: {
            const auto& label = static_cast<const Label&>(control);
            if (!label.AutoSize() && !label.Caption().empty())
                Grow(measurer, control, TextNeeds(measurer, label));
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::Button:
            if (!control.Caption().empty())
                Grow(measurer, control, CaptionNeeds(measurer, control));
            break;
        default:
            break;
    }
    if (Container* container = control.AsContainer()) {
        for (Control* child : container->Children()) Fit(measurer, *child);
        if (control.Kind() == ControlKind::Panel) {
            Grow(measurer, control, HoldsItsLabels(measurer, *container));
            Reflow(measurer, *container);
            Grow(measurer, control, HoldsItsLabels(measurer, *container));
        }
    }
}

}  // namespace

void FitTexts(Container& root) {
    if (const TextMeasurer* measurer = MeasurerOf(root))
        for (Control* child : root.Children()) Fit(*measurer, *child);
}

std::optional<TextSize> MeasuredText(const Label& label) {
    const TextMeasurer* measurer = MeasurerOf(label);
    if (!measurer) return std::nullopt;
    return MeasureLabel(*measurer, label, label.Width());
}

void PlaceAfter(const Label& sentence, Control& follower) {
    if (std::optional<TextSize> size = MeasuredText(sentence))
        follower.SetLeft(sentence.Left() + size->width);
}

void PlaceAfterAtLeast(const Label& sentence, Control& follower, int layoutLeft) {
    follower.SetLeft(layoutLeft);
    if (std::optional<TextSize> size = MeasuredText(sentence))
        follower.SetLeft(std::max(layoutLeft, sentence.Left() + size->width));
}

}  // namespace torvane::ui
