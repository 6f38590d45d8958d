#pragma once
// Small Win32 helpers the carried programs share: their own path, special
// folders, whole-file reads, system error texts.
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WinHeaders.h"

namespace torvane::carried::win32 {

// FindFirstFile search handles: FindClose.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) noexcept { ::FindClose(h); }
};
using UniqueFind = platform::win32::UniqueHandle<FindTraits>;

// Registry keys: RegCloseKey.
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
using UniqueRegistryKey = platform::win32::UniqueHandle<RegistryKeyTraits>;

// The running program's file, in its long form (empty if unknown).
std::string ModulePath();

// The part of a path before its last "\" (the folder of a file).
std::string FolderPart(const std::string& path);

// A special folder (CSIDL_*), without a trailing "\"; empty when Windows
// cannot name it.
std::string ShellFolder(int csidl);

// The temporary folder, without a trailing "\"; empty when unknown.
std::string TempFolder();

// "<system text> (error N)", e.g. "Access is denied (error 5)".
std::string ErrorText(DWORD code);

// True if `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// Reads a whole file of at most `limit` bytes. On failure returns false and
// sets `error` to the system error (ERROR_FILE_TOO_LARGE when over the limit).
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, DWORD& error);

}  // namespace torvane::carried::win32
