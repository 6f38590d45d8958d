// Win32FileSearch against Wine's real file system: listings with their
// attributes, masks matched without regard to case, hidden entries, missing
// folders, the locale's comparison; and FindFiles walking a real tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "base/win32/WinHeaders.h"
#include "lib/LIB_FindFiles.h"
#include "platform/win32/Win32FileSearch.h"

using namespace torvane;
using platform::win32::Win32FileSearch;

namespace {

// A small tree under the temporary folder, removed afterwards:
//   root\A.txt  root\b.TXT  root\hidden.txt (hidden)  root\sub\Torvane.Exe
//   root\cloak\torvane.exe, "cloak" being a hidden folder
class Tree {
public:
    Tree() {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        root =
            std::string(temp) + "torvane_search_" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(root.c_str(), nullptr);
        ::CreateDirectoryA((root + "sub").c_str(), nullptr);
        ::CreateDirectoryA((root + "cloak").c_str(), nullptr);
        for (const char* name :
             {"A.txt", "b.TXT", "hidden.txt", "sub\\Torvane.Exe", "cloak\\torvane.exe"})
            Touch(name);
        ::SetFileAttributesA((root + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ::SetFileAttributesA((root + "cloak").c_str(),
                             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    }
    ~Tree() {
        ::SetFileAttributesA((root + "hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const char* name :
             {"A.txt", "b.TXT", "hidden.txt", "sub\\Torvane.Exe", "cloak\\torvane.exe"})
            ::DeleteFileA((root + name).c_str());
        ::RemoveDirectoryA((root + "sub").c_str());
        ::RemoveDirectoryA((root + "cloak").c_str());
        ::RemoveDirectoryA(root.c_str());
    }
    void Touch(const std::string& name) {
        HANDLE file = ::CreateFileA((root + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    0, nullptr);
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    }
    std::string root;
};

std::vector<platform::FoundEntry> List(platform::FileSearch& search, const std::string& pattern) {
    std::vector<platform::FoundEntry> entries;
    auto listing = search.Enumerate(pattern);
    platform::FoundEntry entry;
    while (listing->Next(entry)) entries.push_back(entry);
    return entries;
}

const platform::FoundEntry* Named(const std::vector<platform::FoundEntry>& entries,
                                  const std::string& name) {
    for (const auto& e : entries)
        if (e.name == name) return &e;
    return nullptr;
}

}  // namespace

TEST(FileSearch, FileSearchListsEntriesWithAttributesAndMatchesMasksIgnoringCase) {
    Tree tree;
    Win32FileSearch search;
    const auto all = List(search, tree.root + "*.*");
    for (const char* name : {".", "..", "A.txt", "b.TXT", "hidden.txt", "sub", "cloak"})
        EXPECT_TRUE(Named(all, name) != nullptr);
    ASSERT_TRUE(Named(all, "sub") && Named(all, "hidden.txt") && Named(all, "cloak"));
    EXPECT_TRUE(Named(all, "sub")->attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(Named(all, "hidden.txt")->attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(Named(all, "cloak")->attributes & FILE_ATTRIBUTE_HIDDEN);

    const auto texts = List(search, tree.root + "*.TXT");
    EXPECT_EQ(texts.size(), std::size_t{3});
    const auto exact = List(search, tree.root + "sub\\torvane.exe");
    ASSERT_TRUE(exact.size() == 1);
    EXPECT_EQ(exact[0].name, std::string("Torvane.Exe"));  // as the file system spells it

    EXPECT_TRUE(List(search, tree.root + "missing\\*.*").empty());
    EXPECT_TRUE(List(search, "Q:\\*.*").empty());
}

TEST(FileSearch, FileSearchComparesIgnoringCaseAndNamesTheCurrentFolder) {
    Win32FileSearch search;
    EXPECT_EQ(search.CompareTextIgnoringCase("C:\\Apps\\x", "c:\\apps\\X"), 0);
    EXPECT_TRUE(search.CompareTextIgnoringCase("C:\\a", "D:\\a") < 0);
    EXPECT_TRUE(search.CompareTextIgnoringCase("d:\\b", "C:\\B") > 0);
    const std::string current = search.CurrentDirectory();
    EXPECT_TRUE(current.size() >= 3 && current[1] == ':');
}

TEST(FileSearch, FindFilesWalksARealTreeButNotItsHiddenFolders) {
    Tree tree;
    Win32FileSearch search;
    struct NoDrives : platform::Drives {
        std::vector<char> Letters() override { return {}; }
        platform::DriveType TypeOf(const std::string&) override {
            return platform::DriveType::NoRootDirectory;
        }
    } drives;
    std::vector<int> percents;
    const std::vector<std::string> found = FindFiles(
        {search, drives}, "torvane.exe;*.txt", 99, tree.root,
        [&percents](std::uint8_t p) { return percents.push_back(p), false; }, nullptr, 0);
    const std::vector<std::string> expected = {tree.root + "A.txt", tree.root + "b.TXT",
                                               tree.root + "hidden.txt",
                                               tree.root + "sub\\Torvane.Exe"};
    EXPECT_TRUE(found == expected);
    if (found != expected)
        for (const std::string& path : found) std::cerr << "  found: " << path << "\n";
    EXPECT_TRUE(!percents.empty() && percents.back() == 100);
}
