#pragma once
#include <string>

#include "app/FramePanel.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// Upgrades the installation in InstallDir as soon as it is in view: writes
// the client program (retried while the old one is running), the uninstaller
// and the four Start-menu links, and nothing else of the installation. Then
// the finished panel follows, or, when started with "/autoupdate", the new
// client is started and the program ends. It puts no buttons on the bar.
class TPNLUpgradeUpgrading : public TFramePanel {
public:
    // A client that cannot be replaced is tried this often in all; each
    // failed attempt is followed by kRetryWaitSeconds of waiting.
    static constexpr int kMaxAttempts = 21;
    static constexpr int kRetryWaitSeconds = 15;

    explicit TPNLUpgradeUpgrading(Navigator& navigator);

    ui::Label Label12;  // "<n>% complete"
    ui::Label Label1;   // the retry message, red
    ui::ProgressBar ProgressBar1;

    // The empty bar and "0% complete".
    void BeforeShow() override;
    // The whole upgrade sequence.
    void AfterShow() override;

    // Moves the bar, shows its percentage (rounded half to even) followed by
    // "% complete" and lets pending window messages run.
    void SetProgress(int position);

    // The retry message after failed attempt `attempt`.
    static std::string RetryMessage(int attempt);

private:
    // Waits the given whole seconds, letting window messages run after each.
    void WaitSeconds(int seconds);
    // Writes the client program, up to kMaxAttempts times; false when every
    // attempt failed and the earlier client stays.
    bool ReplaceClient();
    // The Start-menu group's four links, when the system names the user's
    // programs folder.
    void RenewShortcuts();
};

}  // namespace torvane
