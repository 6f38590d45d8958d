#include <gtest/gtest.h>

#include <sstream>

#include "fakes/HeadlessHost.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/TextFit.h"

namespace torvane::ui {
namespace {

// Every character 6 pixels wide, lines 13 high, words wrapped greedily.
class FixedMeasurer : public TextMeasurer {
public:
    static constexpr int kChar = 6, kLine = 13, kMark = 20;
    TextSize Measure(const Font&, const std::string& text, int wrapWidth) const override {
        TextSize size;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line, '\r')) {
            std::istringstream words(line);
            std::string word, current;
            int rows = 1;
            while (words >> word) {
                const std::string longer = current.empty() ? word : current + " " + word;
                if (wrapWidth > 0 && !current.empty() && Width(longer) > wrapWidth) {
                    size.width = std::max(size.width, Width(current));
                    current = word;
                    ++rows;
                } else {
                    current = longer;
                }
            }
            size.width = std::max(size.width, Width(current));
            size.height += rows * kLine;
        }
        return size;
    }
    int CaptionMargin(ControlKind kind) const override {
        return kind == ControlKind::CheckBox ? kMark : 0;
    }
    static int Width(const std::string& s) { return static_cast<int>(s.size()) * kChar; }
};

class MeasuringFactory : public PeerFactory {
public:
    std::unique_ptr<ControlPeer> CreatePeer(Control&) override { return nullptr; }
    const TextMeasurer* Measurer() const override { return &measurer; }
    FixedMeasurer measurer;
};

class TextFit : public ::testing::Test {
protected:
    TextFit() {
        form.SetPeerFactory(&factory);
        panel.SetBounds(0, 0, 200, 100);
        panel.SetBevel(Bevel::None);
    }
    torvane::testing::HeadlessHost host;
    Application app{host};
    MeasuringFactory factory;
    Form form{app, "Form"};
    Panel panel{&form, "Panel"};
};

TEST_F(TextFit, BoxesGrowOnlyWhereTheTextWouldBeCutAndOnlyIntoFreeRoom) {
    struct Case {
        const char* what;
        Bounds box;
        std::string text;
        Bounds blocker;  // another control of the panel (width 0: none)
        Bounds fitted;
    } cases[] = {
        {"fits: kept as laid out", {10, 10, 60, 13}, "abcde", {}, {10, 10, 60, 13}},
        {"two lines: grows down", {10, 10, 60, 13}, "aaaa bbbb cccc", {}, {10, 10, 60, 26}},
        {"blocked below: grows right",
         {10, 10, 60, 13},
         "aaaa bbbb cccc",
         {0, 25, 200, 10},
         {10, 10, 84, 13}},
        {"blocked below and right: grows left",
         {130, 10, 60, 13},
         "aaaa bbbb cccc",
         {0, 25, 200, 10},
         {112, 10, 84, 13}},
        {"a picture behind it does not count",
         {10, 10, 60, 13},
         "aaaa bbbb cccc",
         {0, 0, 200, 100},
         {10, 10, 60, 26}},
        {"no room beside: what lies below moves down",
         {4, 10, 192, 13},
         "aaaaaaaaaa bbbbbbbbbb cccccccccc dddddddddd",
         {0, 25, 200, 10},
         {4, 10, 192, 26}},
        {"no room anywhere: left alone",
         {10, 10, 60, 13},
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
         {0, 25, 200, 10},
         {10, 10, 60, 13}},
    };
    for (const Case& c : cases) {
        Panel blocker(&panel, "Blocker");
        blocker.SetBounds(c.blocker.left, c.blocker.top, c.blocker.width, c.blocker.height);
        TextBox box(&panel, "Box");
        box.SetBounds(c.box.left, c.box.top, c.box.width, c.box.height);
        box.SetCaption(c.text);
        FitTexts(form);
        EXPECT_EQ(box.GetBounds(), c.fitted) << c.what;
    }
}

TEST_F(TextFit, CheckBoxesMakeRoomBesideTheirMarkAndFramedPanelsHoldTheirLabels) {
    CheckBox check(&panel, "Check");
    check.SetBounds(150, 50, 40, 17);
    check.SetCaption("abcdefghij");  // 60 + the mark's 20
    Panel framed(&panel, "Framed");
    framed.SetBounds(10, 10, 50, 30);
    Label label(&framed, "Label");
    label.SetBounds(5, 5, 0, 0);
    label.SetCaption("abcdefghij");  // 60 wide, so 5 + 60 + the frame's 2
    FitTexts(form);
    EXPECT_EQ(check.GetBounds(), (Bounds{116, 50, 80, 17}));
    EXPECT_EQ(framed.GetBounds(), (Bounds{10, 10, 67, 30}));
}

TEST_F(TextFit, ALinkFollowsTheMeasuredEndOfItsSentence) {
    Label sentence(&panel, "Sentence");
    sentence.SetBounds(16, 10, 0, 0);
    sentence.SetCaption("abide the");
    Label link(&panel, "Link");
    link.SetBounds(30, 10, 0, 0);
    PlaceAfter(sentence, link);
    EXPECT_EQ(link.Left(), 16 + 9 * FixedMeasurer::kChar);
    PlaceAfterAtLeast(sentence, link, 100);
    EXPECT_EQ(link.Left(), 100);
    form.SetPeerFactory(nullptr);  // headless: the layout stays
    PlaceAfter(sentence, link);
    EXPECT_EQ(link.Left(), 100);
}

}  // namespace
}  // namespace torvane::ui
