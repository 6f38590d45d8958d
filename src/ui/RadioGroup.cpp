#include "ui/RadioGroup.h"

namespace torvane::ui {

RadioGroup::RadioGroup(Container* parent, std::string name)
    : Container(parent, ControlKind::GroupBox, std::move(name)) {}

void RadioGroup::SetItems(const std::vector<std::string>& captions) {
    buttons_.clear();
    itemIndex_ = -1;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto button = std::make_unique<RadioButton>(this);
        // The buttons sit on the group: its background and its font.
        button->SetColor(GetColor());
        button->SetFont(GetFont());
        button->SetCaption(captions[i]);
        const int index = static_cast<int>(i);
        button->OnClick = [this, index] { SetItemIndex(index); };
        buttons_.push_back(std::move(button));
    }
    Layout();
    for (auto& button : buttons_) button->Realize();
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
    itemIndex_ = index;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == index);
}

void RadioGroup::Layout() {
    // Evenly spread below the caption, as a one-column radio group lays out.
    if (buttons_.empty()) return;
    constexpr int kCaptionSpace = 15, kMargin = 4;
    const int step = (Height() - kCaptionSpace - kMargin) / static_cast<int>(buttons_.size());
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetBounds(8, kCaptionSpace + static_cast<int>(i) * step, Width() - 16, step);
}

}  // namespace torvane::ui
