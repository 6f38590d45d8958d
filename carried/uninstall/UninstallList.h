#pragma once
// The uninstaller's decisions, free of Windows: reading the list the setup
// wrote (UnInstall.dat), deciding what each line may touch, the order of the
// work, and the words of the final report. The Win32 side (UninstallMain.cpp)
// only carries out single operations through UninstallSystem.
#include <cstdint>
#include <functional>
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

// --- refusal rules ------------------------------------------------------------

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

// Case-insensitive (ASCII) wildcard match of a file name: '*' any run of
// characters, '?' exactly one; "*.*" matches every name, as on Windows.
bool WildcardMatch(const std::string& pattern, const std::string& name);

// The folder part of a path (before the last "\" character), and the name
// after it.
std::string FolderOf(const std::string& path, LeadByte isLead = NoLeadBytes);
std::string NameOf(const std::string& path, LeadByte isLead = NoLeadBytes);

// --- the plan -------------------------------------------------------------------

struct Step {
    Entry entry;
    bool removesSelf = false;  // the F line naming the running uninstaller
};

// The steps in the order they run: the list's order, except that the F line
// naming the running program itself (`selfPath`, compared without regard to
// case) moves to the very end, as a running program cannot delete itself.
// A second line naming the program again is dropped. A list whose first
// line is not kProductName, or with any line that is not well formed
// (RefusalOf) or points outside the installation of the program at
// `selfPath` (OutsideOf), is damaged as a whole: ListError naming the line.
std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath);
// The same with the folders the list may touch given (ListDigest.h).
struct Ownership;
std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath,
                           const Ownership& owned);

// --- carrying it out ------------------------------------------------------------

enum class Status {
    Removed,  // done
    Absent,   // was not there: nothing to remove
    Failed,   // could not be removed (reason says why)
};

struct Outcome {
    Status status = Status::Removed;
    std::string reason;  // for Failed: the system's words
    static Outcome Done() { return {Status::Removed, {}}; }
    static Outcome NotThere() { return {Status::Absent, {}}; }
    static Outcome Error(std::string why) { return {Status::Failed, std::move(why)}; }
};

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// What the uninstaller needs to know of one file or folder, the object itself
// (a link or junction is not followed). Times are in 100 ns units since 1601
// (FILETIME); 0 when the file system does not keep them.
struct PathFacts {
    bool isFolder = false;
    bool isReparsePoint = false;  // a junction, a symbolic link, a mount point
    std::uint64_t created = 0;
    std::uint64_t written = 0;
};

// The operations the plan needs from the system. Each reports Absent when
// its object does not exist.
// Failures are returned as an Outcome (Absent, or Failed with the system's
// words), which the plan reports line by line; nothing here throws.
class UninstallSystem {
public:
    virtual ~UninstallSystem() = default;
    // The facts of `path` itself, without following a reparse point.
    virtual Outcome Inspect(const std::string& path, PathFacts& facts) = 0;
    // Everything directly in `folder` (not "." and ".."), files and folders.
    virtual Outcome ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
    // Deletes the file only if it really is `path`: not reached through a
    // link, a junction or a short name (the real system checks the final
    // path of the handle it deletes through).
    virtual Outcome RemoveFile(const std::string& path) = 0;
    // Removes the folder only if it is empty, and with the same check.
    virtual Outcome RemoveEmptyFolder(const std::string& path) = 0;
    // Deletes HKEY_LOCAL_MACHINE\<subkey>, which must have no subkeys.
    virtual Outcome DeleteMachineKey(const std::string& subkey) = 0;
    // The user's Start-menu programs folder and desktop folder.
    virtual Outcome ProgramsFolder(std::string& folder) = 0;
    virtual Outcome DesktopFolder(std::string& folder) = 0;
    // The digest the setup recorded for the list of the uninstaller at
    // `selfPath` (base/UninstallRecord.h): Absent when the uninstall key
    // holds none or names another uninstaller, Failed when it cannot be read.
    virtual Outcome RecordedListDigest(const std::string& selfPath, std::string& digest) = 0;
    // The local application data folder of every user profile on the
    // machine (the running user's among them).
    virtual Outcome ProfileDataFolders(std::vector<std::string>& folders) = 0;
    // Where `path` really is: links and junctions on the way resolved, in
    // the drive-letter form.
    virtual Outcome FinalPath(const std::string& path, std::string& final) = 0;
    // The lead bytes of the system's code page, by which paths are split.
    virtual LeadByte LeadBytes() { return NoLeadBytes; }
};

enum class ItemState {
    Removed,
    Absent,
    Failed,
    Kept,  // a file a pattern matched that was there before the installation, or a folder holding
           // one
    Pending,    // left to the copy that runs after this program has ended
    AtRestart,  // Windows removes it when it restarts
};

struct Item {
    std::string
        what;  // e.g. "C:\...\Torvane.Exe", "folder C:\...", "registry key HKEY_LOCAL_MACHINE\..."
    ItemState state = ItemState::Removed;
    std::string reason;
    std::string path;  // the file or folder the item is about (empty for keys)
};

struct RunResult {
    std::vector<Item> items;
    // Index in `items` of the uninstaller itself, left to the caller (it
    // cannot delete its own running file); absent when the list does not
    // name it or the file is not there.
    std::optional<std::size_t> selfItem;
    // Folders whose E line failed only because the uninstaller is still in
    // them (directly, or through folders in this same list): to be removed
    // again once it is gone, in this order. Their items are Pending.
    std::vector<std::string> foldersAfterSelf;
};

// Looks on the disk at the folder each line works in and at the file of an F
// line: one that is a reparse point (a junction or a link, which could lead
// anywhere) makes the list damaged, ListError. A reparse point above that
// folder (a profile moved to another drive by a junction) is accepted when
// the folder's final path still ends in the folder's own name, so that it
// resolves into a folder of the same kind. Nothing is changed.
void CheckPathsOnDisk(const std::vector<Step>& steps, UninstallSystem& system);

// Carries out the steps in order and reports on every object. A file a P line
// matches is kept when it was created or last written before `listWritten`
// (the list's last-write time; 0, unknown: every match is kept), when its
// times cannot be read, and when its name as listed holds "\", "/" or "?"
// (a best-fit spelling of a name the code page cannot show, which would
// name another file). Never throws for a failed operation. Linear in the
// number of steps.
RunResult RunPlan(const std::vector<Step>& steps, UninstallSystem& system,
                  std::uint64_t listWritten);

// The uninstall once the list's bytes and last-write time are read: the
// list's digest is checked (ListDigest.h), the whole list is parsed and
// planned and its paths checked on the disk first (a changed or damaged one
// throws ListError before anything is asked or touched), then
// `confirm` is asked with the product name (false: nothing is touched, the
// result is empty), then the plan runs. `productName` receives the name as
// soon as the list has parsed.
std::optional<RunResult> Uninstall(
    const std::string& listBytes, std::uint64_t listWritten, const std::string& selfPath,
    UninstallSystem& system, const std::function<bool(const std::string& productName)>& confirm,
    std::string& productName);

// What the caller managed for the deferred self-removal.
enum class SelfRemoval {
    ByCopy,     // the copy in the temporary folder will remove it and the folders
    AtRestart,  // registered for removal at the next restart (self and folders)
    Failed,     // neither worked
};
// Marks the self item and the folders-after-self items accordingly.
void SettleSelfRemoval(RunResult& result, SelfRemoval how, const std::string& reason = {});

// True when nothing failed (Pending and AtRestart count as removed, Kept as
// done right): exit code 0 with /s.
bool EverythingRemoved(const RunResult& result);

// The closing message: that everything was removed, or the list of what could
// not be (at most `maxItems`, then "and N more"); then what was kept as older
// than the installation, and what goes at the next restart.
std::string ReportMessage(const std::string& productName, const RunResult& result,
                          std::size_t maxItems = 25);

// --- command line -----------------------------------------------------------------

struct CleanupRequest {
    std::string original;              // the uninstaller that ended
    std::uint32_t processId = 0;       // its process, to wait for
    std::vector<std::string> folders;  // folders to try again once it is gone
};

enum class Mode { Interactive, Silent, Cleanup };
struct Invocation {
    Mode mode = Mode::Interactive;
    CleanupRequest cleanup;
};

// The parameters after the program name: "/s" in any letter case anywhere →
// Silent; "/cleanup <original> <pid> [folder...]" → Cleanup (only as the
// first parameter, with an absolute original path, a decimal process id and
// absolute folders; otherwise ListError). Anything else is Interactive.
Invocation ParseInvocation(const std::vector<std::string>& params);

// The command line that starts the copy: "<copy>" /cleanup "<original>" pid "<folder>"...
// Paths are quoted; Windows paths cannot contain a double quote.
std::string CleanupCommandLine(const std::string& copyPath, const CleanupRequest& request);

}  // namespace torvane::uninstall
