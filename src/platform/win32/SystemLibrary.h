#pragma once
#include <string>

#include "platform/win32/UniqueHandle.h"

namespace torvane::platform::win32 {

// What HardenDllSearch managed to switch on; the fallbacks exist for Windows
// versions without the newer calls (Vista and 7 before update KB2533623).
struct DllSearchHardening {
    bool systemDirectoryOnly = false;  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    bool currentDirectoryRemoved = false;  // SetDllDirectoryA(""), the fallback
    bool safeSearchMode = false;       // SetSearchPathMode(safe | permanent)
};

// Keeps DLLs planted beside a downloaded setup (the Downloads folder) from
// being loaded: from here on, DLLs loaded by name come from System32 only.
// Must run first thing in WinMain, before anything can load a DLL. The newer
// calls are looked up at run time so the program still starts where they are
// missing.
DllSearchHardening HardenDllSearch() noexcept;

// The System32 folder, without a trailing backslash.
std::string SystemDirectory();

// A DLL loaded at run time by its full System32 path (never by bare name),
// for the libraries the program must not import statically (wininet,
// version): a static import would be resolved before WinMain, where a planted
// copy beside the program wins. Freed when the object goes.
class SystemLibrary {
public:
    // Loads System32\<fileName>; throws torvane::Exception naming the DLL and
    // the system error when it cannot be loaded.
    explicit SystemLibrary(const std::string& fileName);

    SystemLibrary(SystemLibrary&&) noexcept = default;
    SystemLibrary& operator=(SystemLibrary&&) noexcept = default;

    HMODULE Handle() const { return module_.Get(); }
    const std::string& Path() const { return path_; }

    // The exported function `name` as the given function type, or nullptr
    // when the DLL does not export it.
    template <typename Function>
    Function* Find(const char* name) const {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module_.Get(), name)));
    }

    // As Find, but throws torvane::Exception when the export is missing.
    template <typename Function>
    Function* Require(const char* name) const {
        Function* function = Find<Function>(name);
        if (!function) ThrowMissingExport(name);
        return function;
    }

private:
    [[noreturn]] void ThrowMissingExport(const char* name) const;

    std::string path_;
    UniqueModule module_;
};

}  // namespace torvane::platform::win32
