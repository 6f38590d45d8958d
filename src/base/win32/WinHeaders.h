#pragma once
// The one place the Win32 layer includes <windows.h>, so every file sees the
// same settings: the ANSI functions (no UNICODE), Vista as the oldest target
// (SetLayeredWindowAttributes, GetTickCount64 ...), and no min/max macros
// that would break <algorithm>.
#ifdef UNICODE
#error "The Win32 layer uses the ANSI (...A) functions; build without UNICODE"
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#endif
#ifndef WINVER
#define WINVER 0x0600
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// <windows.h> maps these names to their ...A functions by macro, which would
// also rename the platform::FileSystem members of the same names wherever the
// header is seen. The layer calls CreateFileA, DeleteFileA, ReplaceFileA by name.
#undef CreateFile
#undef DeleteFile
#undef ReplaceFile
