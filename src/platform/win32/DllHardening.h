#pragma once
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

// What HardenDllSearch managed to switch on; the fallbacks exist for Windows
// versions without the newer calls (Vista and 7 before update KB2533623).
struct DllSearchHardening {
    bool systemDirectoryOnly = false;      // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    bool currentDirectoryRemoved = false;  // SetDllDirectoryA(""), the fallback
    bool safeSearchMode = false;           // SetSearchPathMode(safe | permanent)
};

// Keeps DLLs planted beside a program (a downloaded setup in the Downloads
// folder, a carried program in a folder the user can write) from being loaded:
// from here on, DLLs loaded by name come from System32 only. Must run first
// thing in WinMain, before anything can load a DLL. The newer calls are looked
// up at run time so the program still starts where they are missing.
// Needs nothing but kernel32, so every program we ship can link it alone.
DllSearchHardening HardenDllSearch() noexcept;

// True where LoadLibraryEx understands the LOAD_LIBRARY_SEARCH_* flags
// (exactly where AddDllDirectory exists, the documented test).
bool LibrarySearchFlagsSupported() noexcept;

}  // namespace torvane::platform::win32
