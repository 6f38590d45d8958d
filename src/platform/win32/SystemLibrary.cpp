#include "platform/win32/SystemLibrary.h"

#include "base/Exceptions.h"

namespace torvane::platform::win32 {

namespace {
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
}  // namespace

std::string SystemDirectory() {
    char buffer[MAX_PATH + 1];
    UINT length = ::GetSystemDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        throw Exception("Cannot find the system folder (error " + std::to_string(::GetLastError()) +
                        ")");
    std::string folder(buffer, length);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

SystemLibrary::SystemLibrary(const std::string& fileName)
    : path_(SystemDirectory() + "\\" + fileName) {
    // With a full path the search flags only steer where the DLL's own
    // dependencies come from; the altered search path does the same on systems
    // without them (dependencies from the DLL's folder, System32).
    const DWORD flags =
        LibrarySearchFlagsSupported() ? kSearchSystem32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    module_.Reset(::LoadLibraryExA(path_.c_str(), nullptr, flags));
    if (!module_)
        throw Exception("Cannot load " + path_ + " (error " + std::to_string(::GetLastError()) +
                        ")");
}

void SystemLibrary::ThrowMissingExport(const char* name) const {
    throw Exception(std::string("The function ") + name + " is missing from " + path_);
}

}  // namespace torvane::platform::win32
