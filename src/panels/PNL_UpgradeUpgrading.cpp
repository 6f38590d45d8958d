#include "panels/PNL_UpgradeUpgrading.h"

#include <cstdint>
#include <exception>
#include <optional>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "lib/EnsureFolder.h"
#include "lib/InstallFolderRights.h"
#include "lib/LIB_FolderHelpers.h"
#include "panels/ParentColors.h"
#include "panels/ProgressControls.h"
#include "panels/RetryTiming.h"
#include "panels/StartClient.h"
#include "panels/StartMenuLinks.h"
#include "payload/ExtractPayload.h"
#include "payload/GB_Payloads.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

TPNLUpgradeUpgrading::TPNLUpgradeUpgrading(Navigator& navigator)
    : TFramePanel(navigator, "PNLUpgradeUpgrading", "Upgrading Torvane P2P"),
      Label12(this, "Label12"),
      Label1(this, "Label1"),
      ProgressBar1(this, "ProgressBar1") {
    PlaceProgressControls(Label12, ProgressBar1);

    Label1.SetBounds(8, 8, 0, 0);
    Label1.SetCaption(".");
    ui::Font font = Label12.GetFont();
    font.color = ui::colors::Red;
    Label1.SetFont(font);
    UseParentColors(*this);
}

std::string TPNLUpgradeUpgrading::RetryMessage(int attempt) {
    return "Torvane P2P is still running or in use by another program. Upgrade will retry in a few seconds. (Attempt " +
           std::to_string(attempt) + ")";
}

void TPNLUpgradeUpgrading::BeforeShow() { SetProgress(0); }

void TPNLUpgradeUpgrading::SetProgress(int position) {
    ReportProgress(position, &ProgressBar1, &Label12, Nav().App());
}

void TPNLUpgradeUpgrading::Pause(unsigned pauses) {
    for (unsigned i = 0; i < pauses; ++i) {
        Nav().Platform().clock.Sleep(kRetryTiming.pauseMs);
        Nav().App().ProcessMessages();
    }
}

void TPNLUpgradeUpgrading::ReplaceClient() {
    const PayloadServices services{Nav().Platform().files,
                                   BarProgress(&ProgressBar1, &Label12, Nav().App())};
    std::exception_ptr failure;
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        try {
            GB_TorvaneP2P_exe::ExtractPayload(InstallDir + "Torvane.Exe", services);
            return;
        } catch (const std::exception&) {
            // Typically the client is still running. The extraction writes
            // beside the file and replaces it only when complete, so the
            // earlier client is still whole; wait for it to end.
            failure = std::current_exception();
            Label1.SetCaption(RetryMessage(attempt));
            Pause(kRetryTiming.retryPauses);
            Label1.SetCaption("");
        }
    }
    std::rethrow_exception(failure);
}

std::vector<SequenceStep> TPNLUpgradeUpgrading::Steps() {
    platform::Platform& os = Nav().Platform();
    return {
        // Started unattended, the folder is only the command line's word: it
        // must be, or be able to become, this product's installation. A
        // refusal ends on the error panel before anything is written.
        EssentialStep("unattended folder",
                      [&os] {
                          if (AutoUpdate)
                              InstallDir = AutoUpdateTarget(os.files, os.search, InstallDir);
                      }),
        // A folder that cannot be made shows up as failed client attempts.
        QuietStep("installation folder",
                  [&os] {
                      if (!FolderExists(os.files, InstallDir)) EnsureFolder(os.files, InstallDir);
                  }),
        // Started by the client itself: give it time to end first.
        EssentialStep("unattended pause",
                      [this, &os] {
                          if (!AutoUpdate) return;
                          os.clock.Sleep(kRetryTiming.pauseMs);
                          Nav().App().ProcessMessages();
                          os.clock.Sleep(kRetryTiming.pauseMs);
                          Nav().App().ProcessMessages();
                          os.clock.Sleep(kRetryTiming.pauseMs);
                      }),
        // Its failure is held back until the uninstaller and the links are
        // written: they work with the earlier client too.
        QuietStep("client",
                  [this] {
                      clientFailure_ = nullptr;
                      try {
                          ReplaceClient();
                      } catch (const std::exception&) {
                          clientFailure_ = std::current_exception();
                          throw;
                      }
                  }),
        EssentialStep("uninstaller",
                      [this, &os] {
                          GB_Uninstall_exe::ExtractPayload(
                              InstallDir + "Uninstall.Exe",
                              PayloadServices{os.files,
                                              BarProgress(nullptr, nullptr, Nav().App())});
                      }),
        // Usually there already; when it cannot be made the links are simply
        // missing. No programs folder: no group and no links.
        QuietStep("start-menu group",
                  [&os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                          os.files.CreateFolder(*programs + "\\" + kStartMenuGroup);
                  }),
        EssentialStep("shortcuts",
                      [&os] {
                          if (auto programs =
                                  os.shell.FolderPath(platform::SpecialFolder::Programs))
                              CreateStartMenuLinks(os.shell, *programs + "\\" + kStartMenuGroup,
                                                   InstallDir, "/p2p/help/");
                      }),
        EssentialStep("client replaced",
                      [this] {
                          if (clientFailure_) std::rethrow_exception(clientFailure_);
                      }),
        EssentialStep("100 %", [this] { SetProgress(ProgressBar1.Max()); }),
    };
}

void TPNLUpgradeUpgrading::AfterShow() {
    ProgressBar1.SetMax(static_cast<int>(kPayloadProgressMaximum));
    {
        const WorkInProgress working(Nav());
        RunSequence(Steps(), QuietFailures);
    }

    platform::Platform& os = Nav().Platform();
    if (AutoUpdate) {
        if (StartInstalledClient(os.processes, InstallDir) ==
            platform::StartResult::WouldBeElevated)
            Nav().App().ShowMessage(kClientNotStarted);
        os.processes.EndProcess(0);
        return;
    }
    Nav().ShowPanel("PNLUpgradeReady", true);
}

}  // namespace torvane
