#pragma once
#include "platform/FileSearch.h"

namespace torvane::platform::win32 {

// Folder listings through FindFirstFileA / FindNextFileA (the listing's
// handle is closed with FindClose when the enumeration goes), the user
// locale's comparison through CompareStringA and the current folder through
// GetCurrentDirectoryA.
class Win32FileSearch : public FileSearch {
public:
    std::unique_ptr<FileEnumeration> Enumerate(const std::string& pattern) override;
    int CompareTextIgnoringCase(const std::string& a, const std::string& b) override;
    std::string CurrentDirectory() override;
};

}  // namespace torvane::platform::win32
