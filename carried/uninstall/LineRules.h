#pragma once
// Rule: each line of the list is well formed for its kind, before anything
// asks where it points (Confinement.h).
#include <optional>
#include <string>

#include "uninstall/UninstallList.h"

namespace torvane::uninstall {

// Why the argument of a line is not well formed, or nothing when it is. Where
// a well-formed line may point is judged by OutsideOf (Confinement.h).
//  P, E, F: an absolute path on a drive ("C:\..."), below the drive's root,
//           with no empty, "." or ".." component, no "/", no ':' after the
//           drive, none of < > " | and no wildcard (* ?) except, for P, in the
//           last component (the file pattern); E may end in one "\".
//  R:       below "Software\" with no empty, "." or ".." component and no
//           wildcard.
//  S, T:    a plain name: no "\" or "/", no "..", no ':', no wildcard,
//           none of < > " |; T must end in ".lnk".
// Names are judged character by character under the code page `isLead`
// describes.
std::optional<std::string> RefusalOf(const Entry& entry, LeadByte isLead = NoLeadBytes);

// Why `path` is no absolute path below a drive's root as the lines P, E and
// F (and the cleanup copy's command line) need it: `patternLast` lets the
// last part hold wildcards, `allowTrailingSlash` one final "\",
// `minComponents` is how many names below the root it needs at least.
std::optional<std::string> DrivePathRefusal(const std::string& path, bool patternLast,
                                            bool allowTrailingSlash, std::size_t minComponents,
                                            LeadByte isLead = NoLeadBytes);

}  // namespace torvane::uninstall
