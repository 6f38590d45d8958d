#include "panels/PNL_UpgradeUpgrading.h"

#include <cstdint>
#include <exception>
#include <optional>

#include "app/QvButtonBar.h"
#include "base/InstallLayout.h"
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

namespace {

// The staged client goes when the upgrade gives up on it; after it was put
// in place there is nothing left to remove.
class StagedClientRemover {
public:
    StagedClientRemover(platform::FileSystem& files, std::string target)
        : files_(files), target_(std::move(target)) {}
    ~StagedClientRemover() { files_.DeleteFile(StagedPath(target_)); }

private:
    platform::FileSystem& files_;
    std::string target_;
};

}  // namespace

void TPNLUpgradeUpgrading::ReplaceClient() {
    platform::FileSystem& files = Nav().Platform().files;
    const std::string target = choices_.installDir + layout::kClient.name;
    const PayloadServices services{files, BarProgress(&ProgressBar1, &Label12, Nav().App())};
    const StagedClientRemover remover(files, target);
    bool staged = false;
    std::exception_ptr failure;
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        try {
            // Inflated and checked once; the retries only try to move it
            // into place, so the bar keeps its value while they wait.
            if (!staged) {
                GB_TorvaneP2P_exe::StagePayload(target, services);
                staged = true;
                ++ClientInflations;
            }
            ReplaceWithStaged(files, target);
            return;
        } catch (const std::exception&) {
            // Typically the client is still running: the earlier client is
            // still whole; wait for it to end.
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
    choices_ = UpgradeChoicesFromInstallState();
    folderAccepted_ = !choices_.autoUpdate;
    ClientInflations = 0;
    return {
        // Started unattended, the folder is only the command line's word: it
        // must be, or be able to become, this product's installation. A
        // refusal ends on the error panel before anything is written.
        EssentialStep("unattended folder",
                      [this, &os] {
                          if (!choices_.autoUpdate) return;
                          choices_.installDir =
                              AutoUpdateTarget(os.files, os.search, choices_.installDir);
                          folderAccepted_ = true;
                      }),
        // A folder that cannot be made shows up as failed client attempts.
        QuietStep("installation folder",
                  [this, &os] {
                      if (!FolderExists(os.files, choices_.installDir))
                          EnsureFolder(os.files, choices_.installDir);
                  }),
        // Started by the client itself: give it time to end first.
        EssentialStep("unattended pause",
                      [this, &os] {
                          if (!choices_.autoUpdate) return;
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
                              choices_.installDir + layout::kUninstaller.name,
                              PayloadServices{os.files,
                                              BarProgress(nullptr, nullptr, Nav().App())});
                      }),
        // Usually there already; when it cannot be made the links are simply
        // missing. No programs folder: no group and no links.
        QuietStep("start-menu group",
                  [&os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                          os.files.CreateFolder(*programs + "\\" + layout::kStartMenuGroup);
                  }),
        EssentialStep(
            "shortcuts",
            [this, &os] {
                if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                    CreateStartMenuLinks(os.shell, *programs + "\\" + layout::kStartMenuGroup,
                                         choices_.installDir, "/p2p/help/");
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
        const std::vector<SequenceStep> steps = Steps();
        try {
            RunSequence(steps, QuietFailures);
        } catch (...) {
            StoreUpgradedFolder(choices_.installDir);
            throw;
        }
        StoreUpgradedFolder(choices_.installDir);
    }

    if (choices_.autoUpdate) {
        StartClientAgain();
        Nav().Platform().processes.EndProcess(0);
        return;
    }
    Nav().ShowPanel("PNLUpgradeReady", true);
}

void TPNLUpgradeUpgrading::FailureReported() {
    // The client ended itself to be upgraded: an unattended upgrade that
    // failed must not leave the user without it. The one in the folder is
    // whole (the new one is only moved over it when complete). A folder the
    // command line named but that was refused is no installation to start
    // anything from.
    if (choices_.autoUpdate && folderAccepted_) StartClientAgain();
}

void TPNLUpgradeUpgrading::StartClientAgain() {
    if (StartInstalledClient(Nav().Platform().processes, choices_.installDir) ==
        platform::StartResult::WouldBeElevated)
        Nav().App().ShowMessage(kClientNotStarted);
}

}  // namespace torvane
