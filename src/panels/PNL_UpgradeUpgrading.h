#pragma once
#include <exception>
#include <string>
#include <vector>

#include "app/FramePanel.h"
#include "lib/Sequence.h"
#include "panels/InstallChoices.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace torvane {

// Upgrades the installation in InstallDir as soon as it is in view: writes
// the client program (retried while the old one is running), the uninstaller
// and the four Start-menu links, and nothing else of the installation. Then
// the finished panel follows, or, when started with "/autoupdate", the new
// client is started and the program ends. It puts no buttons on the bar.
//
// A client that could not be replaced in any attempt is not passed over:
// the uninstaller and the links are still written, then the last attempt's
// failure runs out to the error panel like any other, in both modes.
// Unattended, the earlier client is started again once the failure has
// been reported, so that the user is not left without it.
class TPNLUpgradeUpgrading : public TFramePanel {
public:
    // A client that cannot be replaced is tried this often in all; each
    // failed attempt is followed by the retry wait (RetryTiming.h).
    static constexpr int kMaxAttempts = 21;

    explicit TPNLUpgradeUpgrading(Navigator& navigator);

    ui::Label Label12;  // "<n>% complete"
    ui::Label Label1;   // the retry message, red
    ui::ProgressBar ProgressBar1;

    // The empty bar and "0% complete".
    void BeforeShow() override;
    // The whole upgrade sequence, then the finished panel or, unattended,
    // the new client and the program's end.
    void AfterShow() override;
    bool WorksWhenShown() const override { return true; }

    // Moves the bar, shows its percentage (rounded half to even) followed by
    // "% complete" and lets pending window messages run.
    void SetProgress(int position);

    // The retry message after failed attempt `attempt`.
    static std::string RetryMessage(int attempt);

    // After a failure was reported, before the error panel shows.
    void FailureReported() override;

    // The upgrade sequence, step by step (lib/Sequence.h), over the choices
    // the install state holds now (InstallDir, AutoUpdate). AfterShow writes
    // the folder back once, as the command line's folder was settled.
    std::vector<SequenceStep> Steps();
    // How often the last run inflated the client: once, however often its
    // placing was retried.
    int ClientInflations = 0;
    // The quiet steps that failed in the last run of the sequence, also
    // when it ended on the error panel.
    std::vector<QuietFailure> QuietFailures;

private:
    // Waits the given number of pauses, letting window messages run after each.
    void Pause(unsigned pauses);
    // Inflates the client beside its place once, then tries to move it
    // there up to kMaxAttempts times; raises the last attempt's failure when
    // none succeeded (the earlier client stays, the new one is removed).
    void ReplaceClient();
    // Starts the client in the folder, unelevated; says so when it cannot be.
    void StartClientAgain();

    UpgradeChoices choices_;
    // Unattended: the command line's folder was taken as an installation.
    bool folderAccepted_ = false;
    // The failure of the client step, raised once the rest is written.
    std::exception_ptr clientFailure_;
};

}  // namespace torvane
