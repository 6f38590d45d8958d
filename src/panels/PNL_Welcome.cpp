#include "panels/PNL_Welcome.h"

#include "app/QvButtonBar.h"
#include "lib/LIB_Random.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Pictures.h"

namespace torvane {

namespace {

struct MovingWord {
    const char* caption;
    int left, top;
    ui::Color color;
    int width;
};

// The words' extents are fixed here rather than measured on screen, so the
// bounces are the same on every system and in the headless tests. Each width
// is the sum of the words' glyph advances in DejaVu Sans Bold at a 21-pixel
// em, every advance rounded to whole pixels. That face is what Wine draws for
// the requested sans-serif; Tahoma Bold, which Windows draws, is narrower, so
// a word never pokes out past the edge it bounces on. The height is one line
// of that font (ascent plus descent, 24.45 pixels, rounded up).
constexpr int kWordHeight = 25;
constexpr MovingWord kMovingWords[TPnlWelcome::kWords] = {
    {"Download", 32, 16, ui::colors::Red, 115},        {"Search", 64, 88, ui::colors::Red, 80},
    {"Share", 136, 304, ui::colors::Red, 68},          {"P2P", 88, 192, ui::colors::Yellow, 45},
    {"Easy", 248, 112, ui::colors::Maroon, 54},        {"Secure", 232, 200, ui::colors::White, 80},
    {"Encryption", 256, 328, ui::colors::Yellow, 126}, {"Fast", 264, 24, ui::colors::Maroon, 50},
};

void SetTextColor(ui::Control& control, ui::Color color, bool bold = false) {
    ui::Font font = control.GetFont();
    font.color = color;
    font.bold = bold;
    control.SetFont(font);
}

// A text box that sizes itself to its one line of text.
void MakeOneLine(ui::TextBox& box) {
    box.SetWordWrap(false);
    box.SetAutoSize(true);
}

}  // namespace

TPnlWelcome::TPnlWelcome(Navigator& navigator)
    : TFramePanel(navigator, "PnlWelcome", "Welcome"),
      Image2(this, "Image2"),
      Label1(this, "Label1"),
      StaticText5(this, "StaticText5"),
      StaticText6(this, "StaticText6"),
      StaticText7(this, "StaticText7"),
      Label2(this, "Label2"),
      StaticText8(this, "StaticText8"),
      lblMove1(this, "lblMove1"),
      lblMove2(this, "lblMove2"),
      lblMove3(this, "lblMove3"),
      lblMove4(this, "lblMove4"),
      lblMove5(this, "lblMove5"),
      lblMove6(this, "lblMove6"),
      lblMove7(this, "lblMove7"),
      lblMove8(this, "lblMove8"),
      Timer1(this, "Timer1"),
      words_{&lblMove1, &lblMove2, &lblMove3, &lblMove4,
             &lblMove5, &lblMove6, &lblMove7, &lblMove8} {
    Image2.SetBounds(0, 0, 513, 390);
    Image2.SetStretch(true);
    ui::ShowPicture(Image2, ui::PictureId::Welcome);

    Label1.SetBounds(515, 6, 0, 0);
    SetTextColor(Label1, ui::colors::Black, true);
    Label1.SetCaption("Thanks for installing Torvane P2P");

    StaticText5.SetBounds(515, 30, 177, 65);
    SetTextColor(StaticText5, ui::colors::Black);
    StaticText5.SetCaption(
        "Torvane P2P is a modern p2p file sharing tool allowing you to share, search and download files over an encrypted network.");

    StaticText6.SetBounds(515, 94, 178, 65);
    SetTextColor(StaticText6, ui::colors::White);
    StaticText6.SetCaption(
        "With this installation you install Torvane P2P and nothing else. We are not putting any crap on your PC, change no settings, put no DLL's, show no banners and install no spyware.");

    StaticText7.SetBounds(519, 310, 0, 0);
    MakeOneLine(StaticText7);
    SetTextColor(StaticText7, ui::colors::Black);
    StaticText7.SetCaption("We wish you a lot of pleasure ");

    Label2.SetBounds(520, 328, 0, 0);
    Label2.SetCaption("with Torvane P2P. ");

    StaticText8.SetBounds(584, 342, 0, 0);
    MakeOneLine(StaticText8);
    SetTextColor(StaticText8, ui::colors::Black);
    StaticText8.SetCaption("The Torvane team.");

    for (int i = 0; i < kWords; ++i) {
        const MovingWord& word = kMovingWords[i];
        ui::Label& label = Word(i);
        label.SetBounds(word.left, word.top, word.width, kWordHeight);
        label.SetTransparent(true);
        ui::Font font = label.GetFont();
        font.pixels = 21;
        font.bold = true;
        font.color = word.color;
        label.SetFont(font);
        label.SetCaption(word.caption);
    }

    // These are the program's first draws from the generator, so the words
    // always start off the same way.
    for (int i = 0; i < kWords; ++i) {
        MoveUp[i] = Random(2) == 1;
        MoveLeft[i] = Random(2) == 1;
        StepY[i] = static_cast<std::uint8_t>(Random(5) + 1);
        StepX[i] = static_cast<std::uint8_t>(Random(5) + 1);
    }
    UseParentColors(*this);
    Timer1.SetInterval(50);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer1.SetEnabled(true);
}

void TPnlWelcome::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Next", 2, 1, [this](ui::Control&) { NextClick(); });
}

void TPnlWelcome::NextClick() {
    if (Nav().IsSliding()) return;
    // The animation is over for good: coming back shows the words where they stopped.
    Timer1.SetEnabled(false);
    Nav().ShowPanel("PnlDisclaimer", true);
}

void TPnlWelcome::Timer1Timer() {
    for (int i = 0; i < kWords; ++i) MoveWord(i);
}

void TPnlWelcome::Redraw(int index, bool& otherDirection) {
    otherDirection = Random(2) == 0;
    StepY[index] = static_cast<std::uint8_t>(Random(5) + 1);
    StepX[index] = static_cast<std::uint8_t>(Random(5) + 1);
}

void TPnlWelcome::MoveWord(int i) {
    ui::Label& word = Word(i);
    int top = MoveUp[i] ? word.Top() - StepY[i] : word.Top() + StepY[i];
    int left = MoveLeft[i] ? word.Left() - StepX[i] : word.Left() + StepX[i];

    // The words stay over the picture's width and within the panel's height.
    // The four edges are checked one after the other, so a word in a corner
    // bounces on both and draws twice.
    const int right = Image2.Width();
    const int bottom = Height();
    if (left < 0) {
        left = 0;
        MoveLeft[i] = false;
        Redraw(i, MoveUp[i]);
    }
    if (left + word.Width() > right) {
        left = right - word.Width();
        MoveLeft[i] = true;
        Redraw(i, MoveUp[i]);
    }
    if (top < 0) {
        top = 0;
        MoveUp[i] = false;
        Redraw(i, MoveLeft[i]);
    }
    if (top + word.Height() > bottom) {
        top = bottom - word.Height();
        MoveUp[i] = true;
        Redraw(i, MoveLeft[i]);
    }
    // A word never crawls: its two steps add up to at least 3 pixels.
    if (StepY[i] + StepX[i] < 3) {
        ++StepY[i];
        ++StepX[i];
    }
    word.SetBounds(left, top, word.Width(), word.Height());
}

}  // namespace torvane
