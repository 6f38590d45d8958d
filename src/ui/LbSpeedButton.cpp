#include "ui/LbSpeedButton.h"

#include <algorithm>

namespace torvane::ui {

TLbSpeedButton::TLbSpeedButton(Container* parent, std::string name)
    : Control(parent, ControlKind::SpeedButton, std::move(name)) {}

void TLbSpeedButton::SetLightColor(Color color) {
    light_ = color;
    Notify(Property::Color);
}

void TLbSpeedButton::SetShadowColor(Color color) {
    shadow_ = color;
    Notify(Property::Color);
}

void TLbSpeedButton::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Notify(Property::Pressed);
}

void TLbSpeedButton::MouseDown() { SetPressed(true); }

void TLbSpeedButton::MouseUp(bool overButton) {
    bool wasPressed = pressed_;
    SetPressed(false);
    if (wasPressed && overButton) Click();
}

void TLbSpeedButton::PressByAccelerator() {
    SetPressed(true);
    // Show the button released again even when the handler fails.
    struct Release {
        TLbSpeedButton& button;
        ~Release() { button.SetPressed(false); }
    } release{*this};
    Click();
}

void TLbSpeedButton::Click() {
    if (OnClick) OnClick(*this);
}

std::vector<GradientBand> GradientBands(int top, int bottom, Color from, Color to) {
    constexpr int kBands = 32;
    const int extent = bottom - top;
    const int bandHeight = extent / (kBands - 1) + 1;
    auto channel = [](int start, int end, int i) {
        return static_cast<std::uint8_t>(
            static_cast<int>(start + i * (end - start) / double(kBands - 1)));
    };
    std::vector<GradientBand> bands;
    bands.reserve(kBands);
    for (int i = 0; i < kBands; ++i) {
        GradientBand band;
        band.top = top + i * extent / (kBands - 1);
        band.height = std::min(bandHeight, bottom - band.top);
        if (band.height < 0) band.height = 0;
        band.color =
            Color{channel(from.r, to.r, i), channel(from.g, to.g, i), channel(from.b, to.b, i)};
        bands.push_back(band);
    }
    return bands;
}

ButtonFace ComputeButtonFace(const TLbSpeedButton& button) {
    const int w = button.Width();
    const int h = button.Height();
    const int shift = button.Pressed() ? 1 : 0;
    const int middle = h / 4 + shift;
    const Color face = button.GetColor();

    ButtonFace result;
    result.bands = GradientBands(2, middle, button.LightColor(), face);
    std::vector<GradientBand> lower = GradientBands(middle, h - 1, face, button.LightColor());
    result.bands.insert(result.bands.end(), lower.begin(), lower.end());
    result.innerFrame = button.Pressed() ? button.ShadowColor() : face;
    result.outline = button.ShadowColor();
    result.text = button.GetFont().color;
    result.captionLeft = 4 + shift;
    result.captionTop = shift;
    result.captionWidth = w - 8;
    result.captionHeight = h;
    return result;
}

std::string FitCaption(const std::string& caption, int maxWidth,
                       const std::function<int(const std::string&)>& measure) {
    std::string fitted = caption;
    while (!fitted.empty() && measure(fitted) > maxWidth) fitted.pop_back();
    return fitted;
}

}  // namespace torvane::ui
