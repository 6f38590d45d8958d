#include "uninstall/ListDigest.h"

#include "base/InstallLayout.h"
#include "base/Sha256.h"
#include "base/Text.h"

namespace torvane::uninstall {

Ownership OwnershipOf(const std::string& listBytes, const std::string& selfPath,
                      UninstallSystem& system) {
    const LeadByte isLead = system.LeadBytes();
    Ownership owned{FolderOf(selfPath, isLead), true, {}, isLead};
    std::string recorded;
    const Outcome digest = system.RecordedListDigest(selfPath, recorded);
    if (digest.status == Status::Failed)
        throw ListError("its record in the registry cannot be read: " + digest.reason);
    if (digest.status == Status::Removed) {
        if (!SameText(Trim(recorded), Sha256Hex(listBytes)))
            throw ListError(
                "it is not the list the setup wrote (its SHA-256 differs from the one recorded "
                "at the installation)");
        return owned;
    }
    owned.anyProductFolder = false;
    std::vector<std::string> localData;
    // No profile folders known: only the uninstaller's own folder is owned.
    if (system.ProfileDataFolders(localData).status != Status::Removed) localData.clear();
    for (std::string& folder : localData) {
        while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        owned.productFolders.push_back(folder + "\\" + layout::kDataFolderName);
    }
    return owned;
}

}  // namespace torvane::uninstall
