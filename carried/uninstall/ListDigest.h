#pragma once
// The first rule the uninstaller applies, before it reads a line: whether the
// list beside it is the one the setup wrote. The setup records the list's
// SHA-256 in the uninstall key (base/UninstallRecord.h), where only
// administrators can write.
//  - Recorded and matching: the list is the setup's; the confinement rules
//    apply as they are (Confinement.h).
//  - Recorded and not matching: the list was changed; it is damaged as a
//    whole (ListError) and nothing is touched.
//  - Not recorded (an installation by a standard user, who cannot write the
//    key, or a key that names another uninstaller): the list may have been
//    rewritten by anyone who could write the installation folder; the
//    product folders it may touch narrow to the product's folder in the
//    local application data of the profiles on this machine.
#include <string>

#include "uninstall/Confinement.h"
#include "uninstall/UninstallList.h"
#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

// What the list of the uninstaller at `selfPath` may touch; throws ListError
// for a list whose digest does not match, or whose record cannot be read.
Ownership OwnershipOf(const std::string& listBytes, const std::string& selfPath,
                      UninstallSystem& system);

}  // namespace torvane::uninstall
