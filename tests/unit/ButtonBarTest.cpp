#include <gtest/gtest.h>

#include "app/QvButtonBar.h"
#include "fakes/HeadlessHost.h"
#include "ui/Form.h"

namespace torvane {
namespace {

using ui::Color;
using ui::colors::Blue;
using ui::colors::Cream;
using ui::colors::Lime;
using ui::colors::Navy;
using ui::colors::White;

class ButtonBarTest : public ::testing::Test {
protected:
    ButtonBarTest() {
        bar.SetBounds(40, 451, 713, 32);
        bar.SetColors(White, Lime, Navy, Blue, Cream);
    }
    testing::HeadlessHost host;
    ui::Application app{host};
    ui::Form form{app};
    tQvButtonBar bar{&form};
    std::vector<std::string> clicks;
    ui::ClickHandler record(const std::string& what) {
        return [this, what](ui::Control&) { clicks.push_back(what); };
    }
};

TEST_F(ButtonBarTest, LaysOutTheMainWindowsButtonSets) {
    bar.AddLeftButton("&Exit", 1, 1, record("exit"));
    bar.AddRightButton("&Next", 2, 1, record("next"));
    bar.AddRightButton("&Previous", 3, 1, record("previous"));
    EXPECT_EQ(bar.LeftButton(1).Left(), 5);
    EXPECT_EQ(bar.RightButton(1).Left(), 618);
    EXPECT_EQ(bar.RightButton(2).Left(), 523);
    for (auto* b : {&bar.LeftButton(1), &bar.RightButton(1), &bar.RightButton(2)}) {
        EXPECT_EQ(b->Top(), 4);
        EXPECT_EQ(b->Height(), 23);
        EXPECT_EQ(b->Width(), 90);
        EXPECT_TRUE(b->Visible());
    }

    bar.Clear();
    bar.AddLeftButton("&Exit", 1, 1, record("exit"));
    bar.AddRightButton("&Install Now", 2, 2, record("install"));
    bar.AddRightButton("&Previous", 3, 1, record("previous"));
    EXPECT_EQ(bar.RightButton(1).Left(), 588);
    EXPECT_EQ(bar.RightButton(1).Width(), 120);
    EXPECT_EQ(bar.RightButton(2).Left(), 493);
}

TEST_F(ButtonBarTest, ClearHidesEverythingAndTheNextButtonStartsAtTheEdge) {
    for (int i = 0; i < 5; ++i) bar.AddRightButton("x", 0, 3, nullptr);
    bar.AddLeftButton("y", 0, 0, nullptr);
    bar.Clear();
    EXPECT_EQ(bar.LeftCount(), 0);
    EXPECT_EQ(bar.RightCount(), 0);
    for (int slot = 1; slot <= 12; ++slot) {
        EXPECT_FALSE(bar.LeftButton(slot).Visible());
        EXPECT_FALSE(bar.RightButton(slot).Visible());
    }
    bar.AddRightButton("&Next", 2, 1, nullptr);
    EXPECT_EQ(bar.RightButton(1).Left(), bar.Width() - 95);
}

TEST_F(ButtonBarTest, WidthClassesGiveTheirWidths) {
    const std::pair<int, int> classes[] = {{0, 30},  {1, 90}, {2, 120},
                                           {3, 200}, {4, 99}, {255, 99}};
    int expectedLeft = 5;
    for (auto [widthClass, width] : classes) {
        bar.AddLeftButton("b", 0, widthClass, nullptr);
        ui::TLbSpeedButton& b = bar.LeftButton(bar.LeftCount());
        EXPECT_EQ(b.Width(), width) << "class " << widthClass;
        EXPECT_EQ(b.Left(), expectedLeft) << "class " << widthClass;
        expectedLeft += width + 5;
    }
}

TEST_F(ButtonBarTest, AThirteenthButtonIsIgnoredAndDisturbsNothing) {
    for (int i = 1; i <= 12; ++i) {
        bar.AddLeftButton("L" + std::to_string(i), i, 0, record("L" + std::to_string(i)));
        bar.AddRightButton("R" + std::to_string(i), i, 0, nullptr);
    }
    std::vector<ui::Bounds> before;
    for (int slot = 1; slot <= 12; ++slot) before.push_back(bar.LeftButton(slot).GetBounds());
    bar.AddLeftButton("&Thirteen", 13, 1, record("13"));
    bar.AddRightButton("&Thirteen", 13, 1, record("13"));
    EXPECT_EQ(bar.LeftCount(), 12);
    EXPECT_EQ(bar.RightCount(), 12);
    for (int slot = 1; slot <= 12; ++slot) {
        EXPECT_EQ(bar.LeftButton(slot).GetBounds(), before[slot - 1]);
        EXPECT_EQ(bar.LeftButton(slot).Caption(), "L" + std::to_string(slot));
        EXPECT_EQ(bar.LeftButton(slot).Tag, slot);
    }
    EXPECT_FALSE(bar.HandleAccelerator('T'));
}

TEST_F(ButtonBarTest, ButtonsTakeTheSharedColourSet) {
    bar.AddRightButton("&Next", 2, 1, nullptr);
    ui::TLbSpeedButton& next = bar.RightButton(1);
    EXPECT_EQ(bar.GetColor(), Cream);
    EXPECT_EQ(next.GetColor(), Navy);
    EXPECT_EQ(next.GetFont().color, White);
    EXPECT_TRUE(next.GetFont().bold);
    EXPECT_EQ(next.LightColor(), Blue);
    EXPECT_EQ(next.ShadowColor(), Lime);

    // Buttons in use are recoloured; later ones get the new set too.
    bar.SetColors(ui::colors::Black, ui::colors::Red, ui::colors::Maroon, ui::colors::Yellow,
                  White);
    EXPECT_EQ(next.GetColor(), ui::colors::Maroon);
    EXPECT_EQ(next.ShadowColor(), ui::colors::Red);
    bar.AddLeftButton("&Exit", 1, 1, nullptr);
    EXPECT_EQ(bar.LeftButton(1).LightColor(), ui::colors::Yellow);
    EXPECT_EQ(bar.GetColor(), White);
}

TEST_F(ButtonBarTest, ClicksAndAcceleratorsCallTheHandler) {
    bar.AddLeftButton("&Exit", 1, 1, record("exit"));
    bar.AddRightButton("&Next", 2, 1, record("next"));
    ui::TLbSpeedButton& next = bar.RightButton(1);

    next.MouseDown();
    EXPECT_TRUE(next.Pressed());
    next.MouseUp(false);  // released elsewhere: no click
    EXPECT_FALSE(next.Pressed());
    EXPECT_TRUE(clicks.empty());

    // A double click is a second press: two clicks.
    for (int i = 0; i < 2; ++i) {
        next.MouseDown();
        next.MouseUp(true);
    }
    EXPECT_EQ(clicks, (std::vector<std::string>{"next", "next"}));

    clicks.clear();
    EXPECT_TRUE(bar.HandleAccelerator('e'));
    EXPECT_TRUE(bar.HandleAccelerator('N'));
    EXPECT_FALSE(bar.HandleAccelerator('P'));
    EXPECT_EQ(clicks, (std::vector<std::string>{"exit", "next"}));
    EXPECT_FALSE(next.Pressed());

    // A hidden button keeps its caption but has no accelerator.
    bar.Clear();
    EXPECT_FALSE(bar.HandleAccelerator('N'));
}

TEST_F(ButtonBarTest, AnAcceleratorShowsThePressedButtonDuringTheClick) {
    bool pressedDuringClick = false;
    bar.AddRightButton("&Next", 2, 1, [&](ui::Control& sender) {
        pressedDuringClick = static_cast<ui::TLbSpeedButton&>(sender).Pressed();
        throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(bar.HandleAccelerator('N'), std::runtime_error);
    EXPECT_TRUE(pressedDuringClick);
    EXPECT_FALSE(bar.RightButton(1).Pressed());
}

TEST(GradientBands, SplitTheExtentIntoThirtyTwoBands) {
    const auto bands = ui::GradientBands(2, 5, Blue, Navy);  // a 23-pixel button's upper half
    ASSERT_EQ(bands.size(), 32u);
    // extent 3: bands start at 2 + i * 3 / 31 and are 1 pixel tall.
    EXPECT_EQ(bands[0].top, 2);
    EXPECT_EQ(bands[10].top, 2);
    EXPECT_EQ(bands[11].top, 3);
    EXPECT_EQ(bands[31].top, 5);
    EXPECT_EQ(bands[0].height, 1);
    EXPECT_EQ(bands[31].height, 0);  // cut at the bottom
    EXPECT_EQ(bands[0].color, Blue);
    EXPECT_EQ(bands[31].color, Navy);
    // Blue channel 255 -> 128: 255 + 16 * (-127) / 31 = 189.45..., truncated.
    EXPECT_EQ(bands[16].color, (Color{0, 0, 189}));

    const auto tall = ui::GradientBands(0, 62, ui::colors::Black, White);
    EXPECT_EQ(tall[1].top, 2);
    EXPECT_EQ(tall[1].height, 3);
    EXPECT_EQ(tall[30].height, 2);  // 60 + 3 > 62
    EXPECT_EQ(tall[15].color, (Color{123, 123, 123}));
}

TEST(ButtonFace, PressedButtonsShiftTheMiddleAndTheCaption) {
    testing::HeadlessHost host;
    ui::Application app{host};
    ui::Form form{app};
    ui::TLbSpeedButton button(&form);
    button.SetBounds(0, 0, 90, 23);
    button.SetColor(Navy);
    button.SetLightColor(Blue);
    button.SetShadowColor(Lime);

    ui::ButtonFace face = ui::ComputeButtonFace(button);
    ASSERT_EQ(face.bands.size(), 64u);
    EXPECT_EQ(face.bands[0].top, 2);
    EXPECT_EQ(face.bands[32].top, 5);   // 23 / 4
    EXPECT_EQ(face.bands[63].top, 22);  // H - 1
    EXPECT_EQ(face.innerFrame, Navy);
    EXPECT_EQ(face.outline, Lime);
    EXPECT_EQ(face.captionLeft, 4);
    EXPECT_EQ(face.captionWidth, 82);

    button.MouseDown();
    face = ui::ComputeButtonFace(button);
    EXPECT_EQ(face.bands[32].top, 6);
    EXPECT_EQ(face.innerFrame, Lime);
    EXPECT_EQ(face.captionLeft, 5);
    EXPECT_EQ(face.captionTop, 1);
}

TEST(FitCaption, CutsFromTheEndWithoutEllipsis) {
    auto sevenPerChar = [](const std::string& s) {
        return static_cast<int>(ui::DisplayCaption(s).size()) * 7;
    };
    EXPECT_EQ(ui::FitCaption("&Start Torvane P2P", 82, sevenPerChar),
              "&Start Torva");  // 11 characters, 77 pixels
    EXPECT_EQ(ui::FitCaption("&Next", 82, sevenPerChar), "&Next");
    EXPECT_EQ(ui::FitCaption("abc", 0, sevenPerChar), "");
}

TEST(Accelerators, TheLetterAfterTheAmpersand) {
    EXPECT_EQ(ui::AcceleratorOf("&Exit"), 'E');
    EXPECT_EQ(ui::AcceleratorOf("I &don't know"), 'D');
    EXPECT_EQ(ui::AcceleratorOf("Fish && &Chips"), 'C');
    EXPECT_EQ(ui::AcceleratorOf("No accelerator"), 0);
    EXPECT_EQ(ui::AcceleratorOf("trailing&"), 0);
    EXPECT_EQ(ui::DisplayCaption("&Install Now"), "Install Now");
    EXPECT_EQ(ui::DisplayCaption("Fish && &Chips"), "Fish & Chips");
}

}  // namespace
}  // namespace torvane
