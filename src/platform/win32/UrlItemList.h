#pragma once
// clang-format off
#include "base/win32/WinHeaders.h"

#include <shlobj.h>
// clang-format on

#include <optional>
#include <string>
#include <vector>

namespace torvane::platform::win32 {

// A web address ("http://...", "https://...", "ftp://..."): a scheme of two
// or more letters followed by "://". A drive path ("C:\...") is none.
bool IsWebAddress(const std::string& target);

// The shell's item list for a web address: the Internet folder on the
// desktop, and in it one item that holds the address. Windows' shell parses
// a URL into such a list; Wine's has no Internet folder and cannot, so this
// builds it the way that folder lays out its items (UTF-16 address).
// The bytes end with the list's terminating zero.
std::vector<BYTE> UrlItemList(const std::string& url);

// The address of an item list of that form, whether built here or parsed by
// Windows; nothing when the list is not an Internet-folder item.
std::optional<std::string> UrlOfItemList(LPCITEMIDLIST list);

// The list to store in a shortcut to `url`: the shell's own parse when it
// gives an Internet-folder item, else the one UrlItemList builds.
std::vector<BYTE> ShortcutItemListForUrl(const std::string& url);

}  // namespace torvane::platform::win32
