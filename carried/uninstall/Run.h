#pragma once
// Carrying a plan out: every object the list names, removed, absent, failed
// or kept, in the list's order, with the program itself left for last; and
// the whole uninstall, every rule applied before anything is touched.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "uninstall/Plan.h"
#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

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

}  // namespace torvane::uninstall
