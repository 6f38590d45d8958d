#include "platform/win32/DllHardening.h"

namespace torvane::platform::win32 {

namespace {

// Flags and prototypes of calls that older headers or systems may lack.
constexpr DWORD kSearchSystem32 = 0x00000800;       // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kSafeSearchMode = 0x00000001;       // BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE
constexpr DWORD kSearchModePermanent = 0x00008000;  // BASE_SEARCH_PATH_PERMANENT
using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
using SetSearchPathModeFunction = BOOL WINAPI(DWORD);

template <typename Function>
Function* Kernel32Export(const char* name) noexcept {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(kernel, name)));
}

}  // namespace

bool LibrarySearchFlagsSupported() noexcept {
    return Kernel32Export<void>("AddDllDirectory") != nullptr;
}

DllSearchHardening HardenDllSearch() noexcept {
    DllSearchHardening result;
    if (auto* setDefault =
            Kernel32Export<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories"))
        result.systemDirectoryOnly = setDefault(kSearchSystem32) != FALSE;
    if (!result.systemDirectoryOnly)
        result.currentDirectoryRemoved = ::SetDllDirectoryA("") != FALSE;
    if (auto* setMode = Kernel32Export<SetSearchPathModeFunction>("SetSearchPathMode"))
        result.safeSearchMode = setMode(kSafeSearchMode | kSearchModePermanent) != FALSE;
    return result;
}

}  // namespace torvane::platform::win32
