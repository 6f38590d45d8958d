#pragma once
#include <string>

#include "base/win32/UniqueHandle.h"
#include "platform/win32/DllHardening.h"  // HardenDllSearch, for the program entry

namespace torvane::platform::win32 {

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
        return reinterpret_cast<Function*>(
            reinterpret_cast<void*>(::GetProcAddress(module_.Get(), name)));
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
