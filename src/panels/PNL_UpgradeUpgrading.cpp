#include "panels/PNL_UpgradeUpgrading.h"

#include <cstdint>
#include <exception>
#include <optional>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "lib/EnsureFolder.h"
#include "lib/LIB_FolderHelpers.h"
#include "panels/ParentColors.h"
#include "panels/ProgressControls.h"
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

void TPNLUpgradeUpgrading::WaitSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        Nav().Platform().clock.Sleep(1000);
        Nav().App().ProcessMessages();
    }
}

bool TPNLUpgradeUpgrading::ReplaceClient() {
    const PayloadServices services{Nav().Platform().files,
                                   BarProgress(&ProgressBar1, &Label12, Nav().App())};
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        try {
            GB_TorvaneP2P_exe::ExtractPayload(InstallDir + "Torvane.Exe", services);
            return true;
        } catch (const std::exception&) {
            // Typically the client is still running. The extraction writes
            // beside the file and replaces it only when complete, so the
            // earlier client is still whole; wait for it to end.
            Label1.SetCaption(RetryMessage(attempt));
            WaitSeconds(kRetryWaitSeconds);
            Label1.SetCaption("");
        }
    }
    return false;
}

void TPNLUpgradeUpgrading::RenewShortcuts() {
    platform::Platform& os = Nav().Platform();
    const std::optional<std::string> programs =
        os.shell.FolderPath(platform::SpecialFolder::Programs);
    if (!programs) return;
    const std::string group = *programs + "\\" + kStartMenuGroup;
    // Usually there already; if it cannot be made the links are simply missing.
    os.files.CreateFolder(group);
    CreateStartMenuLinks(os.shell, group, InstallDir, "/p2p/help/");
}

void TPNLUpgradeUpgrading::AfterShow() {
    platform::Platform& os = Nav().Platform();
    ProgressBar1.SetMax(static_cast<int>(kPayloadProgressMaximum));

    // A folder that cannot be made shows up as failed attempts below.
    if (!FolderExists(os.files, InstallDir)) {
        try {
            EnsureFolder(os.files, InstallDir);
        } catch (const std::exception&) {
        }
    }

    // Started by the client itself: give it time to end first.
    if (AutoUpdate) {
        platform::Clock& clock = os.clock;
        clock.Sleep(1000);
        Nav().App().ProcessMessages();
        clock.Sleep(1000);
        Nav().App().ProcessMessages();
        clock.Sleep(1000);
    }

    ReplaceClient();
    GB_Uninstall_exe::ExtractPayload(
        InstallDir + "Uninstall.Exe",
        PayloadServices{os.files, BarProgress(nullptr, nullptr, Nav().App())});
    RenewShortcuts();
    SetProgress(ProgressBar1.Max());

    if (AutoUpdate) {
        StartInstalledClient(os.processes, InstallDir);
        os.processes.EndProcess(0);
        return;
    }
    Nav().ShowPanel("PNLUpgradeReady", true);
}

}  // namespace torvane
