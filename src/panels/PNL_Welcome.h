#pragma once
#include <array>
#include <cstdint>

#include "app/FramePanel.h"
#include "ui/Timer.h"

namespace torvane {

// The first page: a greeting over which eight words drift and bounce.
class TPnlWelcome : public TFramePanel {
public:
    static constexpr int kWords = 8;

    TPnlWelcome();

    ui::Timer Timer1;

    // Motion state of the words, index 0..7 for the words 1..8.
    std::array<bool, kWords> MoveUp{};
    std::array<bool, kWords> MoveLeft{};
    std::array<std::uint8_t, kWords> StepY{};
    std::array<std::uint8_t, kWords> StepX{};

    void SetButtons(tQvButtonBar& bar) override;
    void ExitClick();
    void NextClick();
};

}  // namespace torvane
