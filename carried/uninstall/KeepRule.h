#pragma once
// Rule: a file a line's pattern matches is taken for the installation's, and
// deleted, only when that can be told. Kept:
//  - a name the folder listing gives with "\", "/" or "?" in it: the best-fit
//    spelling of a name the code page cannot show (a fullwidth backslash
//    becomes "\"), which as a path would name another file;
//  - with `byAge` (the P lines), a file created or last written before
//    `listWritten`, the list's own last-write time: the setup writes the list
//    last and the client's files come after it, so an older one is the
//    user's or another program's. Without the list's time (0), or the
//    file's (its facts cannot be read), nothing is taken for the
//    installation's.
#include <cstdint>
#include <optional>
#include <string>

#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

// Why the file `name`, listed in its folder at `path`, is kept, or nothing.
std::optional<std::string> WhyKept(const std::string& name, const std::string& path, bool byAge,
                                   std::uint64_t listWritten, UninstallSystem& system);

}  // namespace torvane::uninstall
