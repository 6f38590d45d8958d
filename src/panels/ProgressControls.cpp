#include "panels/ProgressControls.h"

#include <cstdint>

#include "lib/Rounding.h"

namespace torvane {

std::string PercentComplete(const ui::ProgressBar& bar) {
    const std::int64_t range = bar.Max();
    const std::int64_t percent = range > 0 ? RoundHalfEven(100LL * bar.Position(), range) : 0;
    return std::to_string(percent) + "% complete";
}

void ReportProgress(int position, ui::ProgressBar* bar, ui::Label* label, ui::Application& app) {
    if (bar) {
        bar->SetPosition(position);
        if (label) label->SetCaption(PercentComplete(*bar));
    }
    app.ProcessMessages();
}

}  // namespace torvane
