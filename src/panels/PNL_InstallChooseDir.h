#pragma once
#include <string>

#include "panels/FolderPanel.h"

namespace torvane {

// The installation folder: proposed under the program files folder, typed or
// picked in a tree of the fixed disks, stored in InstallDir (with a trailing
// backslash) and WorkDir by "&Next".
class TPnlInstallChooseDir : public TFolderPanel {
public:
    // Typed into Edit1 and leaving the box shows SourceCode instead.
    static constexpr const char* kHiddenCode = "#~~+71-64KRw";

    explicit TPnlInstallChooseDir(Navigator& navigator);

    void Edit1Exit() override;
    void NextClick() override;

protected:
    std::string StoredFolder() const override;
    void StoreFolder(const std::string& folder) override;
    std::string Proposal() override;
    std::string FromTree(const std::string& picked) const override;
};

}  // namespace torvane
