#pragma once
#include <string>

#include "platform/Shell.h"

namespace torvane {

// The four links of the Start-menu group folder `group` (no trailing
// backslash; the folder must exist): the client and the uninstaller in
// `installDir` (ending with a backslash) with their own icons, the product's
// home page ("/p2p/") and its help page at `helpPath` on the maker's web
// server. Existing links of the same names are overwritten. Raises when the
// shell link object cannot be made; a link that cannot be saved is missing.
void CreateStartMenuLinks(platform::Shell& shell, const std::string& group,
                          const std::string& installDir, const std::string& helpPath);

}  // namespace torvane
