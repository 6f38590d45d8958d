#pragma once
#include <optional>
#include <string>

#include "platform/Processes.h"

namespace torvane::platform {

enum class SpecialFolder { ProgramFiles, LocalAppData, Programs, Desktop };

// The Windows shell: special folders, shortcuts and opening documents.
// Failures: a missing special folder is returned (nothing), as the callers
// fall back on their own folder; a shortcut that cannot be made at all (no
// shell link object) is thrown, and the sequence step that makes it decides
// whether that ends the sequence; what came of opening a document is
// returned.
class Shell {
public:
    virtual ~Shell() = default;
    // The folder's path without a trailing backslash, or nothing when the
    // system does not name one (SHGetFolderPathA did not return 0).
    virtual std::optional<std::string> FolderPath(SpecialFolder folder) = 0;
    // Saves a .lnk file whose target is a file path or a web address
    // ("http://..."), which the shortcut opens as a page. The icon location is set only for an icon
    // index of 0 or more. Raises when the shell link object cannot be created; other failures are
    // not reported.
    virtual void CreateShortcut(const std::string& target, const std::string& linkFile,
                                const std::string& description, int iconIndex,
                                const std::string& arguments) = 0;
    // Opens a document, web page, "mailto:" address or program with its
    // default action in a normally shown window. With `asUser`, a setup
    // running elevated opens it with the rights of the signed-in user, and
    // not at all where the system offers no way to (WouldBeElevated): the
    // browser and the mail program never run with administrator rights by
    // accident. Started means the request was handed on; whether the opened
    // program then ran is not known.
    virtual StartResult Open(const std::string& what, bool asUser) = 0;
};

}  // namespace torvane::platform
