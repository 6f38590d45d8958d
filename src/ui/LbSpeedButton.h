#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace torvane::ui {

class TLbSpeedButton;
using ClickHandler = std::function<void(Control& Sender)>;

enum class ButtonStyle { bsModern };

// A flat, gradient-filled push button. Only the modern style is built; the
// component's glyphs, hot tracking and other looks are not used here.
class TLbSpeedButton : public Control {
public:
    explicit TLbSpeedButton(Container* parent, std::string name = {});

    Color LightColor() const { return light_; }
    void SetLightColor(Color color);
    Color ShadowColor() const { return shadow_; }
    void SetShadowColor(Color color);
    ButtonStyle Style() const { return ButtonStyle::bsModern; }

    int Tag = 0;
    ClickHandler OnClick;

    bool Pressed() const { return pressed_; }

    // Mouse: pressing shows the button pressed; releasing shows it released
    // and, when the release happened over the button, clicks it.
    void MouseDown();
    void MouseUp(bool overButton);
    // Keyboard accelerator: shown pressed, clicked, shown as before.
    void PressByAccelerator();
    void Click();

private:
    void SetPressed(bool pressed);
    Color light_ = colors::Black;
    Color shadow_ = colors::Black;
    bool pressed_ = false;
};

// One horizontal band of a button's gradient fill.
struct GradientBand {
    int top = 0;
    int height = 0;
    Color color;
};

// The 32 bands of a vertical gradient from `from` at y = top to `to` at
// y = bottom. Band i starts at top + i * extent / 31 and is extent / 31 + 1
// pixels tall, cut at the bottom; each channel is from + i * (to - from) / 31
// truncated toward zero.
std::vector<GradientBand> GradientBands(int top, int bottom, Color from, Color to);

// Everything needed to paint a button of the given size; the peer only draws it.
struct ButtonFace {
    std::vector<GradientBand> bands;  // 64 bands, filled across x = 2 .. width - 2
    Color innerFrame;                 // hollow rectangle (1, 1) .. (width - 1, height - 1)
    Color outline;                    // rounded rectangle (0, 0) .. (width, height), 6 x 6 corners
    Color text;
    int captionLeft = 0;  // caption box, the caption centred in it
    int captionTop = 0;
    int captionWidth = 0;
    int captionHeight = 0;
};
ButtonFace ComputeButtonFace(const TLbSpeedButton& button);

// Cuts the caption one character at a time from its end until its drawn
// width fits; no ellipsis is added. `measure` gives the drawn width of a caption.
std::string FitCaption(const std::string& caption, int maxWidth,
                       const std::function<int(const std::string&)>& measure);

}  // namespace torvane::ui
