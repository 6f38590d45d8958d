#pragma once
#include <cstdint>
#include <string>

#include "app/FramePanel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// The first page of the upgrade path. Once in view it searches every fixed
// disk for the client program (hidden folders left out), stores what it
// found in FoundInstallations and moves on by itself: to the upgrade start
// panel when there is at least one copy, otherwise back to the
// install-or-upgrade panel after a message. It puts no buttons on the bar, so
// the search cannot be cancelled.
class TPnlUpgradeFindDir : public TFramePanel {
public:
    explicit TPnlUpgradeFindDir(Navigator& navigator);

    ui::Image Image9;
    ui::Label Label12;  // "<n>% complete"
    ui::ProgressBar ProgressBar1;
    ui::TextBox StaticText4;

    // The whole search.
    void AfterShow() override;
    bool WorksWhenShown() const override { return true; }

    // The search's progress report: moves the bar, shows "<percent>% complete"
    // and lets pending window messages run. Never asks the search to stop.
    bool ProgressHandler(std::uint8_t percent);
    // Every match counts as an installed copy: no version is read or compared.
    bool FileHandler(const std::string& path);

    static const char* const kNothingFound;
};

}  // namespace torvane
