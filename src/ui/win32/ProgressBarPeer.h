#pragma once
#include "ui/ProgressBar.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// A progress bar drawn by hand: a sunken frame filled from the left in the
// system's highlight colour, smoothly or in blocks. Drawing it ourselves keeps
// the common-controls library out of the program.
class ProgressBarPeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneProgressBar";

    ProgressBarPeer(PeerContext& context, ProgressBar& bar);

protected:
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    ProgressBar& bar_;
};

}  // namespace torvane::ui::win32
