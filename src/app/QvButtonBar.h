#pragma once
#include <array>
#include <memory>
#include <string>

#include "ui/LbSpeedButton.h"
#include "ui/Panel.h"

namespace torvane {

// The strip of buttons at the bottom of the main window. It owns twelve
// buttons for a group growing from the left edge and twelve for a group
// growing from the right edge; each panel clears it and puts its own buttons
// on it when it is shown.
class tQvButtonBar : public ui::Panel {
public:
    static constexpr int kSlots = 12;
    static constexpr int kHeight = 32;
    static constexpr int kButtonHeight = 23;

    explicit tQvButtonBar(ui::Container* parent, std::string name = "PnlButtons");

    // Bar background, and the colours of the buttons in use and of those
    // added later. The button colours are shared by all bars.
    void SetColors(ui::Color text, ui::Color shadow, ui::Color button, ui::Color light,
                   ui::Color bar);

    // Hides all buttons; the next ones added start at the edges again.
    void Clear();

    // Puts a button at the next free place of the group; a thirteenth is ignored.
    void AddLeftButton(const std::string& Caption, int Tag, int WidthClass,
                       ui::ClickHandler OnClick);
    void AddRightButton(const std::string& Caption, int Tag, int WidthClass,
                        ui::ClickHandler OnClick);

    // Alt+letter: presses and clicks the visible button whose caption marks
    // that letter. Returns whether one did.
    bool HandleAccelerator(char letter);

    int LeftCount() const { return leftCount_; }
    int RightCount() const { return rightCount_; }
    // Slots 1..12, as the groups fill them.
    ui::TLbSpeedButton& LeftButton(int slot) { return *left_.at(slot - 1); }
    ui::TLbSpeedButton& RightButton(int slot) { return *right_.at(slot - 1); }

    // 0 -> 30 pixels, 1 -> 90, 2 -> 120, 3 -> 200, anything else -> 99.
    static int WidthOfClass(int widthClass);

private:
    using Group = std::array<std::unique_ptr<ui::TLbSpeedButton>, kSlots>;
    void AddButton(Group& group, int& count, bool fromRight, const std::string& caption, int tag,
                   int widthClass, ui::ClickHandler onClick);

    Group left_;
    Group right_;
    int leftCount_ = 0;
    int rightCount_ = 0;
};

}  // namespace torvane
