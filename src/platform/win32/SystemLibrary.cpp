#include "platform/win32/SystemLibrary.h"

#include "lib/Exceptions.h"

namespace torvane::platform::win32 {

namespace {

// Flags and prototypes of calls that older headers or systems may lack.
constexpr DWORD kSearchSystem32 = 0x00000800;         // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kSafeSearchMode = 0x00000001;         // BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE
constexpr DWORD kSearchModePermanent = 0x00008000;    // BASE_SEARCH_PATH_PERMANENT
using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
using SetSearchPathModeFunction = BOOL WINAPI(DWORD);

template <typename Function>
Function* Kernel32Export(const char* name) {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(kernel, name)));
}

// LOAD_LIBRARY_SEARCH_* flags are understood exactly where AddDllDirectory
// exists (the documented test); elsewhere LoadLibraryEx rejects them.
bool SearchFlagsSupported() { return Kernel32Export<void>("AddDllDirectory") != nullptr; }

}  // namespace

DllSearchHardening HardenDllSearch() noexcept {
    DllSearchHardening result;
    if (auto* setDefault = Kernel32Export<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories"))
        result.systemDirectoryOnly = setDefault(kSearchSystem32) != FALSE;
    if (!result.systemDirectoryOnly) result.currentDirectoryRemoved = ::SetDllDirectoryA("") != FALSE;
    if (auto* setMode = Kernel32Export<SetSearchPathModeFunction>("SetSearchPathMode"))
        result.safeSearchMode = setMode(kSafeSearchMode | kSearchModePermanent) != FALSE;
    return result;
}

std::string SystemDirectory() {
    char buffer[MAX_PATH + 1];
    UINT length = ::GetSystemDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        throw Exception("Cannot find the system folder (error " + std::to_string(::GetLastError()) + ")");
    std::string folder(buffer, length);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

SystemLibrary::SystemLibrary(const std::string& fileName) : path_(SystemDirectory() + "\\" + fileName) {
    // With a full path the search flags only steer where the DLL's own
    // dependencies come from; the altered search path does the same on systems
    // without them (dependencies from the DLL's folder, System32).
    const DWORD flags = SearchFlagsSupported() ? kSearchSystem32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    module_.Reset(::LoadLibraryExA(path_.c_str(), nullptr, flags));
    if (!module_)
        throw Exception("Cannot load " + path_ + " (error " + std::to_string(::GetLastError()) + ")");
}

void SystemLibrary::ThrowMissingExport(const char* name) const {
    throw Exception(std::string("The function ") + name + " is missing from " + path_);
}

}  // namespace torvane::platform::win32
