#pragma once
#include <string>

#include "payload/ExtractPayload.h"
#include "ui/Application.h"
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

// One step of progress: moves the bar (if any) to `position`, sets the label
// (if a bar and a label were given) to the bar's percentage, rounded half to
// even, followed by "% complete", and lets pending window messages run.
void ReportProgress(int position, ui::ProgressBar* bar, ui::Label* label, ui::Application& app);

// The label text for a bar: "<percent>% complete".
std::string PercentComplete(const ui::ProgressBar& bar);

// A sink that reports each position with ReportProgress.
inline ProgressSink BarProgress(ui::ProgressBar* bar, ui::Label* label, ui::Application& app) {
    return [bar, label, &app](int position) { ReportProgress(position, bar, label, app); };
}

}  // namespace torvane
