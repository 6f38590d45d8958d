// FindFiles over a generated tree of the shape the Wine timing tool makes
// (tests/bench/win32/findfiles_timing.cpp): 100 folders of 99 subfolders,
// 10,000 folders with 10 files each and a torvane.exe in every 1,000th,
// served from memory, against a bare recursive walk of the same listings.
// What is measured is FindFiles's own work: parsing, bounds, the duplicate
// test, the progress reports and the sort.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "lib/LIB_FindFiles.h"
#include "platform/FileSystem.h"

namespace {

using namespace torvane;

constexpr int kTop = 100, kSub = 99, kFiles = 10, kMatchEvery = 1000;

// The tree below "X:\" as FindFirstFileA would list it: "." and ".." in
// every folder but the root, the files, a torvane.exe where due, then the
// subfolders. Folder numbers run in creation order as the tool makes them.
class GeneratedTree : public platform::FileSearch {
public:
    std::unique_ptr<platform::FileEnumeration> Enumerate(const std::string& pattern) override {
        const std::size_t slash = pattern.rfind('\\');
        const std::string folder = pattern.substr(0, slash + 1), mask = pattern.substr(slash + 1);
        auto list = std::make_unique<List>();
        int top = -1, sub = -1;
        if (folder.size() > 3 && !Parse(folder, top, sub)) return list;
        const bool all = mask == "*.*" || mask == "*";
        auto add = [&](const std::string& name, std::uint32_t attributes) {
            if (all || EqualsIgnoringCase(name, mask)) list->entries.push_back({name, attributes});
        };
        if (top >= 0) {
            add(".", platform::kAttributeDirectory);
            add("..", platform::kAttributeDirectory);
            for (int f = 0; f < kFiles; ++f) add("file" + std::to_string(f) + ".dat", 0x20);
            const int number = sub < 0 ? top * (kSub + 1) : top * (kSub + 1) + 1 + sub;
            if (number % kMatchEvery == 0) add("Torvane.exe", 0x20);
        }
        if (top < 0)
            for (int t = 0; t < kTop; ++t)
                add("top" + std::to_string(t), platform::kAttributeDirectory);
        else if (sub < 0)
            for (int s = 0; s < kSub; ++s)
                add("sub" + std::to_string(s), platform::kAttributeDirectory);
        return list;
    }
    int CompareTextIgnoringCase(const std::string& a, const std::string& b) override {
        return Lower(a).compare(Lower(b));
    }
    std::string CurrentDirectory() override { return "X:\\"; }

private:
    struct List : platform::FileEnumeration {
        std::vector<platform::FoundEntry> entries;
        std::size_t next = 0;
        bool Next(platform::FoundEntry& entry) override {
            if (next >= entries.size()) return false;
            entry = entries[next++];
            return true;
        }
    };
    static std::string Lower(std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return s;
    }
    static bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
        return Lower(a) == Lower(b);
    }
    // "X:\top12\" or "X:\top12\sub7\".
    static bool Parse(const std::string& folder, int& top, int& sub) {
        if (std::sscanf(folder.c_str(), "X:\\top%d\\sub%d\\", &top, &sub) == 2) return true;
        sub = -1;
        return std::sscanf(folder.c_str(), "X:\\top%d\\", &top) == 1;
    }
};

class NoDrives : public platform::Drives {
public:
    std::vector<char> Letters() override { return {}; }
    platform::DriveType TypeOf(const std::string&) override {
        return platform::DriveType::NoRootDirectory;
    }
};

void BareWalk(platform::FileSearch& search, const std::string& folder,
              std::vector<std::string>& found) {
    std::unique_ptr<platform::FileEnumeration> list = search.Enumerate(folder + "*.*");
    platform::FoundEntry entry;
    while (list->Next(entry)) {
        if (entry.attributes & platform::kAttributeDirectory) {
            if (entry.name == "." || entry.name == "..") continue;
            BareWalk(search, folder + entry.name + "\\", found);
        } else if (search.CompareTextIgnoringCase(entry.name, "torvane.exe") == 0) {
            found.push_back(folder + entry.name);
        }
    }
}

void BM_BareWalkOfGeneratedTree(benchmark::State& state) {
    GeneratedTree tree;
    for (auto _ : state) {
        std::vector<std::string> found;
        BareWalk(tree, "X:\\", found);
        if (found.size() != 10) state.SkipWithError("wrong number of matches");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_BareWalkOfGeneratedTree)->Unit(benchmark::kMillisecond);

void BM_FindFilesOverGeneratedTree(benchmark::State& state) {
    GeneratedTree tree;
    NoDrives drives;
    const FindFilesServices services{tree, drives};
    for (auto _ : state) {
        std::size_t reports = 0;
        const std::vector<std::string> found = FindFiles(
            services, "torvane.exe", 99, "X:\\",
            [&reports](std::uint8_t) { return ++reports, false; },
            [](const std::string&) { return true; }, 0);
        if (found.size() != 10) state.SkipWithError("wrong number of matches");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_FindFilesOverGeneratedTree)->Unit(benchmark::kMillisecond);

}  // namespace
