// findfiles_timing.exe ROOT [RUNS]: times FindFiles against a bare
// FindFirstFileA / FindNextFileA walk of the same tree, in the same run,
// under Windows or Wine (not part of the test suite: it takes minutes).
//
// The tree is made below ROOT the first time (an existing ROOT\ready.txt
// means it is complete): 100 folders of 99 subfolders each, 10,000 folders
// in all, with 10 files in every folder (100,000 files) and a torvane.exe in
// every 1,000th folder. Each run walks it with the three walks below in
// turn; the best and the median times of each are printed with the ratios.
//
// The bare walk lists "*" in each folder once and compares every name with
// "torvane.exe" (lstrcmpiA), which is the least any search for a name must
// do. A second bare walk adds the listing of the mask in every folder that
// FindFiles makes (one listing per mask and one of the subfolders per
// folder). FindFiles runs as the upgrade search does: one mask, no limit, a
// progress callback (here counting the reports), every match kept.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib/LIB_FindFiles.h"
#include "platform/win32/Win32FileSearch.h"

namespace {

constexpr int kTop = 100, kSub = 99, kFilesPerFolder = 10, kMatchEvery = 1000;

bool WriteEmptyFile(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

bool FillFolder(const std::string& folder, int& number) {
    if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    for (int f = 0; f < kFilesPerFolder; ++f)
        if (!WriteEmptyFile(folder + "\\file" + std::to_string(f) + ".dat")) return false;
    if (number++ % kMatchEvery == 0 && !WriteEmptyFile(folder + "\\Torvane.exe")) return false;
    return true;
}

bool MakeTree(const std::string& root) {
    if (::GetFileAttributesA((root + "\\ready.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    std::printf("making the tree below %s ...\n", root.c_str());
    ::CreateDirectoryA(root.c_str(), nullptr);
    int number = 0;
    for (int t = 0; t < kTop; ++t) {
        const std::string top = root + "\\top" + std::to_string(t);
        if (!FillFolder(top, number)) return false;
        for (int s = 0; s < kSub; ++s)
            if (!FillFolder(top + "\\sub" + std::to_string(s), number)) return false;
    }
    std::printf("%d folders, %d files\n", number,
                number * kFilesPerFolder + (number + kMatchEvery - 1) / kMatchEvery);
    return WriteEmptyFile(root + "\\ready.txt");
}

struct FindCloser {
    HANDLE handle;
    ~FindCloser() {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
};

void BareWalk(const std::string& folder, std::vector<std::string>& found) {
    WIN32_FIND_DATAA data;
    FindCloser search{::FindFirstFileA((folder + "*").c_str(), &data)};
    if (search.handle == INVALID_HANDLE_VALUE) return;
    do {
        const char* name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
            BareWalk(folder + name + "\\", found);
        } else if (::lstrcmpiA(name, "torvane.exe") == 0) {
            found.push_back(folder + name);
        }
    } while (::FindNextFileA(search.handle, &data));
}

// The bare walk plus, in every folder, the one listing of the mask that
// FindFiles makes before it lists the subfolders: the same listings as
// FindFiles, without any of its own work.
void BareWalkWithMaskListing(const std::string& folder, std::vector<std::string>& found) {
    WIN32_FIND_DATAA data;
    {
        FindCloser mask{::FindFirstFileA((folder + "torvane.exe").c_str(), &data)};
        if (mask.handle != INVALID_HANDLE_VALUE) {
            do {
                found.push_back(folder + data.cFileName);
            } while (::FindNextFileA(mask.handle, &data));
        }
    }
    FindCloser search{::FindFirstFileA((folder + "*.*").c_str(), &data)};
    if (search.handle == INVALID_HANDLE_VALUE) return;
    do {
        const char* name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            continue;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        BareWalkWithMaskListing(folder + name + "\\", found);
    } while (::FindNextFileA(search.handle, &data));
}

class NoDrives : public torvane::platform::Drives {
public:
    std::vector<char> Letters() override { return {}; }
    torvane::platform::DriveType TypeOf(const std::string&) override {
        return torvane::platform::DriveType::NoRootDirectory;
    }
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: findfiles_timing ROOT [RUNS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (!MakeTree(root)) {
        std::fprintf(stderr, "cannot make the tree below %s (error %lu)\n", root.c_str(),
                     ::GetLastError());
        return 1;
    }

    torvane::platform::win32::Win32FileSearch search;
    NoDrives drives;
    const torvane::FindFilesServices services{search, drives};
    LARGE_INTEGER frequency, t0, t1;
    ::QueryPerformanceFrequency(&frequency);

    std::vector<double> bare, twoListings, findFiles;
    std::size_t bareFound = 0, twoFound = 0, found = 0, reports = 0;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms the caches and is not counted
        std::vector<std::string> walked;
        ::QueryPerformanceCounter(&t0);
        BareWalk(root + "\\", walked);
        ::QueryPerformanceCounter(&t1);
        if (run > 0) bare.push_back(Seconds(t0, t1, frequency));
        bareFound = walked.size();

        walked.clear();
        ::QueryPerformanceCounter(&t0);
        BareWalkWithMaskListing(root + "\\", walked);
        ::QueryPerformanceCounter(&t1);
        if (run > 0) twoListings.push_back(Seconds(t0, t1, frequency));
        twoFound = walked.size();

        reports = 0;
        ::QueryPerformanceCounter(&t0);
        const std::vector<std::string> result = torvane::FindFiles(
            services, "torvane.exe", 99, root,
            [&reports](std::uint8_t) { return ++reports, false; },
            [](const std::string&) { return true; }, 0);
        ::QueryPerformanceCounter(&t1);
        if (run > 0) findFiles.push_back(Seconds(t0, t1, frequency));
        found = result.size();
    }

    std::printf("runs: %d (after one warm-up run of each)\n", runs);
    std::printf("bare FindFirstFileA walk: best %.3f s, median %.3f s, %zu found\n",
                *std::min_element(bare.begin(), bare.end()), Median(bare), bareFound);
    std::printf("bare walk, mask listed too: best %.3f s, median %.3f s, %zu found\n",
                *std::min_element(twoListings.begin(), twoListings.end()), Median(twoListings),
                twoFound);
    std::printf(
        "FindFiles:                best %.3f s, median %.3f s, %zu found, %zu progress reports\n",
        *std::min_element(findFiles.begin(), findFiles.end()), Median(findFiles), found, reports);
    std::printf("ratio FindFiles / bare walk: best %.2f, median %.2f\n",
                *std::min_element(findFiles.begin(), findFiles.end()) /
                    *std::min_element(bare.begin(), bare.end()),
                Median(findFiles) / Median(bare));
    std::printf("ratio FindFiles / bare walk with the mask listed: best %.2f, median %.2f\n",
                *std::min_element(findFiles.begin(), findFiles.end()) /
                    *std::min_element(twoListings.begin(), twoListings.end()),
                Median(findFiles) / Median(twoListings));
    return found == bareFound && twoFound == bareFound ? 0 : 3;
}
