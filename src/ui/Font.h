#pragma once
#include <string>

#include "ui/Color.h"

namespace torvane::ui {

// A control's font. Layouts give sizes either in points or in pixels; a
// non-zero pixel height wins over the point size.
struct Font {
    std::string name = "MS Sans Serif";
    int points = 8;
    int pixels = 0;
    Color color = colors::Black;
    bool bold = false;
    bool underline = false;
    bool italic = false;

    friend bool operator==(const Font& a, const Font& b) {
        return a.name == b.name && a.points == b.points && a.pixels == b.pixels &&
               a.color == b.color && a.bold == b.bold && a.underline == b.underline &&
               a.italic == b.italic;
    }
};

}  // namespace torvane::ui
