#pragma once
#include <string>

#include "app/FramePanel.h"
#include "base/PathNames.h"
#include "ui/ComboBox.h"
#include "ui/Label.h"

namespace torvane {

// Lets the user pick which of the installations the search found is to be
// upgraded: a drop-down list of their folders, the first preselected.
// "&Upgrade" stores the folder in InstallDir and starts the upgrade.
class TPNLUpgradeStart : public TFramePanel {
public:
    explicit TPNLUpgradeStart(Navigator& navigator);

    ui::Label Label13;
    ui::ComboBox ComboBoxUpgrade;

    void SetButtons(tQvButtonBar& bar) override;
    // Refills the list from FoundInstallations (each path's folder, with its
    // trailing backslash) and selects the first entry.
    void BeforeShow() override;

    void UpgradeClick();
    // Back to the install-or-upgrade choice, not to the search.
    void PreviousClick();
};

// Everything of `path` up to and including its last backslash or drive
// colon; "" when it holds neither.
std::string FolderPart(const std::string& path, LeadByte isLead);

}  // namespace torvane
