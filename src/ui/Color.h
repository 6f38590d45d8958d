#pragma once
#include <cstdint>

namespace torvane::ui {

// An RGB colour, as the panel layouts give them.
struct Color {
    std::uint8_t r = 0, g = 0, b = 0;

    friend constexpr bool operator==(Color a, Color b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    friend constexpr bool operator!=(Color a, Color b) { return !(a == b); }
};

constexpr Color Rgb(std::uint32_t rrggbb) {
    return Color{static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                 static_cast<std::uint8_t>(rrggbb)};
}

namespace colors {
constexpr Color Black = Rgb(0x000000);
constexpr Color White = Rgb(0xFFFFFF);
constexpr Color Blue = Rgb(0x0000FF);
constexpr Color Navy = Rgb(0x000080);
constexpr Color Lime = Rgb(0x00FF00);
constexpr Color Red = Rgb(0xFF0000);
constexpr Color Maroon = Rgb(0x800000);
constexpr Color Yellow = Rgb(0xFFFF00);
constexpr Color Cream = Rgb(0xFFFBF0);
constexpr Color SkyBlue = Rgb(0xA6CAF0);
// The system's button face grey, used where a layout names no colour.
constexpr Color ButtonFace = Rgb(0xF0F0F0);
}  // namespace colors

}  // namespace torvane::ui
