#pragma once
#include <array>
#include <cstdint>

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Timer.h"

namespace torvane {

// The first page: a greeting over which eight words drift and bounce.
class TPnlWelcome : public TFramePanel {
public:
    static constexpr int kWords = 8;

    explicit TPnlWelcome(Navigator& navigator);

    ui::Image Image2;
    ui::Label Label1;
    ui::TextBox StaticText5;
    ui::TextBox StaticText6;
    ui::TextBox StaticText7;
    ui::Label Label2;
    ui::TextBox StaticText8;
    ui::Label lblMove1;
    ui::Label lblMove2;
    ui::Label lblMove3;
    ui::Label lblMove4;
    ui::Label lblMove5;
    ui::Label lblMove6;
    ui::Label lblMove7;
    ui::Label lblMove8;
    ui::Timer Timer1;

    // Motion state of the words, index 0..7 for the words 1..8.
    std::array<bool, kWords> MoveUp{};
    std::array<bool, kWords> MoveLeft{};
    std::array<std::uint8_t, kWords> StepY{};
    std::array<std::uint8_t, kWords> StepX{};

    // The moving word of index 0..7 (lblMove1..lblMove8).
    ui::Label& Word(int index) { return *words_.at(index); }

    void SetButtons(tQvButtonBar& bar) override;
    void NextClick();
    // One animation step: every word moves once, in index order.
    void Timer1Timer();

private:
    void MoveWord(int index);
    // New steps after a bounce, and the direction of the axis that did not bounce.
    void Redraw(int index, bool& otherDirection);

    std::array<ui::Label*, kWords> words_;
};

}  // namespace torvane
