#pragma once
// What one installation owns, and so what its uninstall list may touch. The
// uninstaller may run with an administrator's rights while the list beside it
// is writable by a standard user (an installation folder outside Program
// Files), so a line that is well formed is still carried out only when it
// points inside the installation:
//  - P, F: a file directly inside the uninstaller's own folder, or directly
//    inside a product folder: the data folder "...\AppData\Local\Torvane P2P".
//    When the setup recorded the list's digest (ListDigest.h), the list is
//    the one it wrote, and any folder named after the product is taken (tied
//    to the name, not to the current user's profile: another administrator
//    may run the uninstall). Without a digest (a standard user's
//    installation, whose list anyone of that user's processes could have
//    rewritten), only the product's folder in the local application data of
//    a user profile on this machine.
//  - E: the uninstaller's own folder, or a product folder as above;
//  - R: the product's own uninstall key;
//  - S: the product's Start-menu group; T: the product's desktop shortcut;
//  - no component of a path is a device name (CON, NUL, COM1 ...) or an 8.3
//    short name ("PROGRA~1"), whose long form the list would not show.
// Reparse points on the way cannot be judged from the text; the plan checks
// them on the disk (UninstallList.h).
#include <optional>
#include <string>
#include <vector>

#include "uninstall/UninstallList.h"

namespace torvane::uninstall {

// The product every list must name on its first line.
extern const char* const kProductName;

// The folders one installation owns.
struct Ownership {
    std::string ownFolder;  // the uninstaller's folder
    // True when the list's digest matched: any folder named after the
    // product. False: only the folders in `productFolders`.
    bool anyProductFolder = true;
    // "<local application data of a profile>\<product>", one per profile.
    std::vector<std::string> productFolders;
    // How the system's code page splits the paths of the list.
    LeadByte isLead = NoLeadBytes;
};

// Why a well-formed line (RefusalOf found nothing) points outside the
// installation, or nothing.
std::optional<std::string> OutsideOf(const Entry& entry, const Ownership& owned);
// The same for a list whose digest matched, with the uninstaller in `ownFolder`.
std::optional<std::string> OutsideOf(const Entry& entry, const std::string& ownFolder);

}  // namespace torvane::uninstall
