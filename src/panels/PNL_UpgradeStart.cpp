#include "panels/PNL_UpgradeStart.h"

#include <exception>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "panels/ParentColors.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

std::string FolderPart(const std::string& path, LeadByte isLead) {
    const std::vector<std::size_t> ends = CharacterOffsets(path, "\\:", isLead);
    return ends.empty() ? std::string() : path.substr(0, ends.back() + 1);
}

TPNLUpgradeStart::TPNLUpgradeStart(Navigator& navigator)
    : TFramePanel(navigator, "PNLUpgradeStart", "Ready to upgrade"),
      Label13(this, "Label13"),
      ComboBoxUpgrade(this, "ComboBoxUpgrade") {
    Label13.SetBounds(16, 16, 154, 13);
    Label13.SetCaption("Upgrade Torvane P2P installed in:");
    ui::Font font = Label13.GetFont();
    font.pixels = 11;
    Label13.SetFont(font);
    ComboBoxUpgrade.SetBounds(16, 32, 457, 21);
    ComboBoxUpgrade.SetFont(font);
    UseParentColors(*this);
}

void TPNLUpgradeStart::SetButtons(tQvButtonBar& bar) {
    bar.AddLeftButton("&Exit", 1, 1, [this](ui::Control&) { ExitClick(); });
    bar.AddRightButton("&Upgrade", 2, 1, [this](ui::Control&) { UpgradeClick(); });
    bar.AddRightButton("&Previous", 3, 1, [this](ui::Control&) { PreviousClick(); });
}

void TPNLUpgradeStart::BeforeShow() {
    ComboBoxUpgrade.Clear();
    if (FoundInstallations)
        for (const std::string& path : *FoundInstallations)
            ComboBoxUpgrade.AddItem(FolderPart(path, Nav().Platform().files.LeadBytes()));
    ComboBoxUpgrade.SetItemIndex(0);
    try {
        ComboBoxUpgrade.SetFocus();
    } catch (const std::exception&) {
        // The window may not be able to take the focus yet; the list works
        // without it.
    }
}

void TPNLUpgradeStart::UpgradeClick() {
    if (Nav().IsSliding()) return;
    // An empty choice would make the upgrade write into whatever the current
    // folder is; the list is never empty when the search leads here.
    if (ComboBoxUpgrade.Text().empty()) return;
    InstallDir = ComboBoxUpgrade.Text();
    Nav().ShowPanel("PnlUpgradeUpgrading", true);
}

void TPNLUpgradeStart::PreviousClick() {
    if (Nav().IsSliding()) return;
    Nav().ShowPanel("PnlInstall", true);
}

}  // namespace torvane
