#pragma once
// The uninstaller's system in memory, for its unit tests and fuzz target:
// files, folders and HKEY_LOCAL_MACHINE keys, paths compared without case
// as on Windows, and a log of what was done.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "uninstall/UninstallList.h"
#include "uninstall/UninstallSystem.h"

namespace torvane::testing {

using ::torvane::LeadByte;
using ::torvane::NoLeadBytes;
using uninstall::FolderEntry;
using uninstall::FolderOf;
using uninstall::NameOf;
using uninstall::Outcome;
using uninstall::PathFacts;

// The list's last-write time in the tests, and times before and after it.
constexpr std::uint64_t kListWritten = 1000;
constexpr std::uint64_t kBefore = 500;
constexpr std::uint64_t kAfter = 2000;

// Files, folders and HKLM keys in memory; paths compare without case, as on
// Windows. Every operation that changes something, and every folder listing,
// is logged in order (looking at facts is not).
class FakeUninstallSystem : public uninstall::UninstallSystem {
public:
    void AddFolder(const std::string& path) {
        for (std::string p = path; p.size() > 2; p = FolderOf(p, leadBytes))
            folders[LowerCase(p)] = p;
    }
    // A file created and last written at `time` (by default after the list,
    // as the client's files are).
    void AddFile(const std::string& path, std::uint64_t time = kAfter) {
        AddFile(path, time, time);
    }
    void AddFile(const std::string& path, std::uint64_t created, std::uint64_t written) {
        AddFolder(FolderOf(path, leadBytes));
        files[LowerCase(path)] = path;
        times[LowerCase(path)] = {created, written};
    }
    Outcome Inspect(const std::string& path, PathFacts& facts) override {
        facts = PathFacts{};
        if (unreadable.count(LowerCase(path))) return Outcome::Error("access denied");
        facts.isReparsePoint = reparse.count(LowerCase(path)) != 0;
        if (HasFolder(path)) {
            facts.isFolder = true;
            return Outcome::Done();
        }
        if (!HasFile(path)) return facts.isReparsePoint ? Outcome::Done() : Outcome::NotThere();
        facts.created = times[LowerCase(path)].first;
        facts.written = times[LowerCase(path)].second;
        return Outcome::Done();
    }
    bool HasFile(const std::string& path) const { return files.count(LowerCase(path)) != 0; }
    bool HasFolder(const std::string& path) const { return folders.count(LowerCase(path)) != 0; }

    Outcome ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        log.push_back("list " + folder);
        entries.clear();
        if (!HasFolder(folder)) return Outcome::NotThere();
        for (const auto& [key, path] : files)
            if (SameText(FolderOf(path, leadBytes), folder))
                entries.push_back({NameOf(path, leadBytes), false});
        for (const auto& [key, path] : folders)
            if (SameText(FolderOf(path, leadBytes), folder))
                entries.push_back({NameOf(path, leadBytes), true});
        for (const std::string& name : oddNames[LowerCase(folder)])
            entries.push_back({name, false});
        return Outcome::Done();
    }
    Outcome RemoveFile(const std::string& path) override {
        log.push_back("delete " + path);
        if (locked.count(LowerCase(path))) return Outcome::Error("it is in use");
        return files.erase(LowerCase(path)) ? Outcome::Done() : Outcome::NotThere();
    }
    Outcome RemoveEmptyFolder(const std::string& path) override {
        log.push_back("rmdir " + path);
        if (!HasFolder(path)) return Outcome::NotThere();
        std::vector<FolderEntry> inside;
        ListFolder(path, inside);
        log.pop_back();
        if (!inside.empty()) return Outcome::Error("it is not empty");
        folders.erase(LowerCase(path));
        return Outcome::Done();
    }
    Outcome DeleteMachineKey(const std::string& subkey) override {
        log.push_back("regdelete " + subkey);
        return keys.erase(LowerCase(subkey)) ? Outcome::Done() : Outcome::NotThere();
    }
    Outcome ProgramsFolder(std::string& folder) override {
        folder = programs;
        return programs.empty() ? Outcome::Error("no programs folder") : Outcome::Done();
    }
    Outcome DesktopFolder(std::string& folder) override {
        folder = desktop;
        return Outcome::Done();
    }
    Outcome RecordedListDigest(const std::string&, std::string& digest) override {
        digest = recordedDigest;
        if (digestUnreadable) return Outcome::Error("access denied");
        return recordedDigest.empty() ? Outcome::NotThere() : Outcome::Done();
    }
    Outcome ProfileDataFolders(std::vector<std::string>& folders) override {
        folders = profileData;
        return Outcome::Done();
    }
    // A path below a key of `moved` is really below its value; below any
    // other reparse point it is somewhere else altogether.
    Outcome FinalPath(const std::string& path, std::string& final) override {
        final = path;
        for (std::string p = path; p.size() > 2; p = FolderOf(p, leadBytes)) {
            const auto to = moved.find(LowerCase(p));
            if (to != moved.end()) {
                final = to->second + path.substr(p.size());
                return Outcome::Done();
            }
            if (reparse.count(LowerCase(p))) final = "C:\\Elsewhere";
        }
        return Outcome::Done();
    }

    std::map<std::string, std::string> files, folders;
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> times;  // created, written
    std::set<std::string> keys, locked, reparse, unreadable;
    // Names a listing gives that hold "\\" (a best-fit spelling), by folder.
    std::map<std::string, std::vector<std::string>> oddNames;
    std::map<std::string, std::string> moved;  // lower-case junction -> where it leads
    // The code page the paths are split by (a double-byte one in some tests).
    LeadByte leadBytes = NoLeadBytes;
    LeadByte LeadBytes() override { return leadBytes; }
    std::string recordedDigest;  // empty: none recorded
    bool digestUnreadable = false;
    std::vector<std::string> profileData = {"C:\\Users\\me\\AppData\\Local",
                                            "C:\\Users\\other\\AppData\\Local"};
    std::string programs =
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    std::string desktop = "C:\\Users\\me\\Desktop";
    std::vector<std::string> log;
};

}  // namespace torvane::testing
