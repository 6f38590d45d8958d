#pragma once
// Small Win32 helpers the carried programs share: their own path, special
// folders, whole-file reads, system error texts.
#include <string>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"

namespace torvane::carried::win32 {

using platform::win32::UniqueFind;
using platform::win32::UniqueRegistryKey;

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

// The path Windows reaches through a handle, in the drive-letter form
// ("C:\..."), long names, links and junctions resolved; empty if unknown.
std::string FinalPathOf(HANDLE handle);

// The account this process runs as, as a string SID ("S-1-5-21-..."); empty
// when unknown.
std::string CurrentUserSid();

// True if `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// Reads a whole file of at most `limit` bytes. On failure returns false and
// sets `error` to the system error (ERROR_FILE_TOO_LARGE when over the limit).
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, DWORD& error);

}  // namespace torvane::carried::win32
