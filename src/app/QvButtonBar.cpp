#include "app/QvButtonBar.h"

namespace torvane {

namespace {
// The button colour set is one for the whole program (there is one bar);
// it starts black and the main window sets it once at start-up.
struct ButtonColors {
    ui::Color text = ui::colors::Black;
    ui::Color shadow = ui::colors::Black;
    ui::Color button = ui::colors::Black;
    ui::Color light = ui::colors::Black;
};
ButtonColors& SharedButtonColors() {
    static ButtonColors colors;
    return colors;
}

void ApplyColors(ui::TLbSpeedButton& button, const ButtonColors& colors) {
    button.SetColor(colors.button);
    button.SetFontColor(colors.text);
    button.SetLightColor(colors.light);
    button.SetShadowColor(colors.shadow);
}
}  // namespace

tQvButtonBar::tQvButtonBar(ui::Container* parent, std::string name)
    : ui::Panel(parent, std::move(name)) {
    SetBevel(ui::Bevel::None);
    SetBounds(Left(), Top(), Width(), kHeight);
    for (Group* group : {&left_, &right_}) {
        for (auto& slot : *group) {
            slot = std::make_unique<ui::TLbSpeedButton>(this);
            slot->SetVisible(false);
        }
    }
}

void tQvButtonBar::SetColors(ui::Color text, ui::Color shadow, ui::Color button, ui::Color light,
                             ui::Color bar) {
    SetColor(bar);
    ButtonColors& colors = SharedButtonColors();
    colors = ButtonColors{text, shadow, button, light};
    for (int i = 0; i < leftCount_; ++i) ApplyColors(*left_[i], colors);
    for (int i = 0; i < rightCount_; ++i) ApplyColors(*right_[i], colors);
}

void tQvButtonBar::Clear() {
    for (Group* group : {&left_, &right_})
        for (auto& button : *group) button->SetVisible(false);
    leftCount_ = 0;
    rightCount_ = 0;
}

int tQvButtonBar::WidthOfClass(int widthClass) {
    switch (widthClass) {
        case 0:
            return 30;
        case 1:
            return 90;
        case 2:
            return 120;
        case 3:
            return 200;
        default:
            return 99;
    }
}

void tQvButtonBar::AddLeftButton(const std::string& Caption, int Tag, int WidthClass,
                                 ui::ClickHandler OnClick) {
    AddButton(left_, leftCount_, false, Caption, Tag, WidthClass, std::move(OnClick));
}

void tQvButtonBar::AddRightButton(const std::string& Caption, int Tag, int WidthClass,
                                  ui::ClickHandler OnClick) {
    AddButton(right_, rightCount_, true, Caption, Tag, WidthClass, std::move(OnClick));
}

void tQvButtonBar::AddButton(Group& group, int& count, bool fromRight, const std::string& caption,
                             int tag, int widthClass, ui::ClickHandler onClick) {
    if (count >= kSlots) return;
    ++count;
    ui::TLbSpeedButton& button = *group[count - 1];
    const int width = WidthOfClass(widthClass);
    int before = 0;
    for (int i = 0; i < count - 1; ++i) before += group[i]->Width() + 5;
    const int left = fromRight ? Width() - width - 5 - before : 5 + before;
    button.SetBounds(left, (Height() - kButtonHeight) / 2, width, kButtonHeight);

    const ButtonColors& colors = SharedButtonColors();
    button.SetLightColor(colors.light);
    button.SetShadowColor(colors.shadow);
    button.OnClick = std::move(onClick);
    button.Tag = tag;
    button.SetColor(colors.button);
    ui::Font font = button.GetFont();
    font.color = colors.text;
    font.bold = true;
    button.SetFont(font);
    button.SetCaption(caption);
    button.SetVisible(true);
}

bool tQvButtonBar::HandleAccelerator(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    for (Group* group : {&left_, &right_}) {
        for (auto& button : *group) {
            if (button->Visible() && ui::AcceleratorOf(button->Caption()) == letter) {
                button->PressByAccelerator();
                return true;
            }
        }
    }
    return false;
}

}  // namespace torvane
