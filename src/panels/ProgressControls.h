#pragma once
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// The installing, searching and upgrading panels share one way of showing
// progress: a smooth bar across the panel with "0% complete" in small white
// letters above its middle.
inline void PlaceProgressControls(ui::Label& percent, ui::ProgressBar& bar) {
    percent.SetBounds(344, 200, 60, 13);
    percent.SetCaption("0% complete");
    ui::Font font = percent.GetFont();
    font.pixels = 11;
    font.color = ui::colors::White;
    percent.SetFont(font);
    bar.SetBounds(39, 232, 634, 26);
    bar.SetSmooth(true);
}

}  // namespace torvane
