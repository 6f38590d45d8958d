#pragma once
// What one installation owns, and so what its uninstall list may touch. The
// uninstaller may run with an administrator's rights while the list beside it
// is writable by a standard user (an installation folder outside Program
// Files), so a line that is well formed is still carried out only when it
// points inside the installation:
//  - P, F: a file directly inside the uninstaller's own folder, or directly
//    inside a folder named after the product (the data folder
//    "...\AppData\Local\Torvane P2P"). Tied to the folder's name, not to the
//    current user's profile: another administrator may run the uninstall.
//  - E: the uninstaller's own folder, or a folder named after the product;
//  - R: the product's own uninstall key;
//  - S: the product's Start-menu group; T: the product's desktop shortcut;
//  - no component of a path is a device name (CON, NUL, COM1 ...) or an 8.3
//    short name ("PROGRA~1"), whose long form the list would not show.
// Reparse points on the way cannot be judged from the text; the plan checks
// them on the disk (UninstallList.h).
#include <optional>
#include <string>

#include "uninstall/UninstallList.h"

namespace torvane::uninstall {

// The product every list must name on its first line.
extern const char* const kProductName;

// The uninstall key below HKEY_LOCAL_MACHINE of a product.
std::string UninstallKeyOf(const std::string& product);

// Why a well-formed line (RefusalOf found nothing) points outside the
// installation whose uninstaller lives in `ownFolder`, or nothing.
std::optional<std::string> OutsideOf(const Entry& entry, const std::string& ownFolder);

}  // namespace torvane::uninstall
