#pragma once
// The uninstall list the setup writes (UnInstall.dat), as the uninstaller
// reads it: lines of "<" + kind letter + argument + ">" after the product's
// name, and the path helpers every other part of the uninstaller shares.
// The uninstaller's parts, each free of Windows, one job per file:
//   UninstallList   the list's format (this file)
//   ListDigest      rule: the list is the one the setup wrote
//   LineRules       rule: each line is well formed
//   Confinement     rule: each line points inside the installation
//   DiskCheck       rule: no junction or link leads elsewhere
//   KeepRule        rule: what a pattern matches is the installation's
//   Plan            the order of the work, and the whole uninstall
//   Run             carrying the plan out, item by item
//   Report          the closing words and the exit code
//   CommandLine     the program's switches
// The Win32 side (UninstallMain.cpp) only carries out single operations
// through UninstallSystem.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/PathNames.h"  // LeadByte: paths split by character
#include "base/Text.h"       // SameText: paths and names compare with letter case ignored

namespace torvane::uninstall {

// The kind letter of a line: "<" + letter + argument + ">".
enum class EntryKind : char {
    Pattern = 'P',          // files matching folder\wildcard (files only, not recursive)
    EmptyFolder = 'E',      // a folder, removed only if empty
    File = 'F',             // one file
    MachineKey = 'R',       // a registry key below HKEY_LOCAL_MACHINE, no subkeys
    StartMenuGroup = 'S',   // a folder below the user's Start-menu programs: its *.lnk, then itself
    DesktopShortcut = 'T',  // a shortcut file on the user's desktop
};

struct Entry {
    EntryKind kind;
    std::string argument;
    int line = 0;  // line number in the list, counting from 1 (the product name)
};

struct UninstallList {
    std::string productName;
    std::vector<Entry> entries;
};

// A list that cannot be trusted as a whole; nothing is removed.
class ListError : public Failure {
public:
    using Failure::Failure;
};

// Lists larger than this are refused as damaged (the setup writes ~2 KB).
constexpr std::size_t kMaxListBytes = 1 << 20;

// Parses the bytes of an uninstall list. Lines end with CR LF (a bare LF is
// accepted); the first is the product name, every other line has exactly the
// form <Xargument> with a known kind letter and a non-empty argument. Only the
// empty remainder after the last line end may be blank. Throws ListError
// saying which line is wrong and why.
UninstallList ParseUninstallList(const std::string& bytes);

// The message shown for a list that is missing or damaged.
std::string DamagedListMessage(const std::string& listPath, const std::string& reason);

// Case-insensitive (ASCII) wildcard match of a file name: '*' any run of
// characters, '?' exactly one; "*.*" matches every name, as on Windows.
bool WildcardMatch(const std::string& pattern, const std::string& name);

// The folder part of a path (before the last "\" character), and the name
// after it.
std::string FolderOf(const std::string& path, LeadByte isLead = NoLeadBytes);
std::string NameOf(const std::string& path, LeadByte isLead = NoLeadBytes);

// `path` without one trailing "\" character (a drive root keeps its own).
std::string WithoutTrailingBackslash(std::string path, LeadByte isLead = NoLeadBytes);

// How a line is named in messages: "files C:\...\*.DAT", "folder C:\...",
// "registry key HKEY_LOCAL_MACHINE\..." and so on.
std::string DescribeEntry(const Entry& entry);

}  // namespace torvane::uninstall
