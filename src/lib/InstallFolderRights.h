#pragma once
// Whose folder the installation goes into. The setup runs with an
// administrator's rights and the uninstaller is later run elevated from that
// folder, so the folder must be the installation's own: nobody else may be
// able to replace its programs or rewrite its list.
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSearch.h"
#include "platform/FileSystem.h"

namespace torvane {

// Why the existing folder `folder` may not become the installation folder,
// in words that follow "because " ("it belongs to another user account"),
// or nothing. Refused: a folder that is, or lies below, a junction or link
// (any part of its path below the drive root), and one whose owner is not an
// administrator, SYSTEM or the installing account (whoever made it could
// still change it).
std::optional<std::string> WhyNotInstallationFolder(platform::FileSystem& files,
                                                    const std::string& folder);

// Makes the installation folder `folder` (with a trailing backslash): its
// missing parents as EnsureFolder does, then the folder itself, with rights
// of its own (FileSystem::CreateOwnFolder) unless it lies below the
// protected program files folder `programFiles`, whose rights it inherits.
// Then asks through a handle where the folder really is: a link planted on
// the way in the meantime raises Exception, as does a folder that cannot
// be made (EInOutError).
void MakeInstallationFolder(platform::FileSystem& files, const std::string& folder,
                            const std::optional<std::string>& programFiles);

// The installation folder: the first of `candidates` (each ending with a
// backslash; the chosen folder, then the fallbacks) that is the
// installation's own or can be made so. The chosen folder and the last
// fallback, when they exist but are not the installation's own, raise
// Exception ("Cannot install Torvane P2P in X because ..."); so does a
// folder of the last candidate that cannot be made. A candidate whose
// making reports success without leaving a folder (a bare root of a missing
// drive) passes on to the next.
std::string SettleInstallationFolder(platform::FileSystem& files,
                                     const std::vector<std::string>& candidates,
                                     const std::optional<std::string>& programFiles);

// The folder "/autoupdate" names, in the folder panel's canonical form with a
// trailing backslash. Raises Exception, before anything is written, for a
// relative, UNC, device ("\\.\") or "\\?\" path, a drive root, a name
// without a canonical form, and a folder that holds files but neither the
// client nor this product's uninstall list: another program's folder.
std::string AutoUpdateTarget(platform::FileSystem& files, platform::FileSearch& search,
                             const std::string& given);

}  // namespace torvane
