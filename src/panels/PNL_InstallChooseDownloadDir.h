#pragma once
#include <string>

#include "panels/FolderPanel.h"

namespace torvane {

// The download folder: an existing Downloads folder on a fixed disk is
// proposed, else one at the root of the installation drive; typed or picked
// in the same tree as the installation folder; stored in DownloadDir (with a
// trailing backslash) by "&Next". Nothing is created on disk.
class TPNLInstallChooseDownloadDir : public TFolderPanel {
public:
    explicit TPNLInstallChooseDownloadDir(Navigator& navigator);

    void NextClick() override;

protected:
    std::string StoredFolder() const override;
    void StoreFolder(const std::string& folder) override;
    std::string Proposal() override;
    std::string FromTree(const std::string& picked) const override;
};

}  // namespace torvane
