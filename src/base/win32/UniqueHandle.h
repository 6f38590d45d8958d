#pragma once
#include <utility>

#include "base/win32/WinHeaders.h"

// The namespace is the one these types have always had (platform::win32), so
// the Win32 layer and the carried programs name them as before; the file sits
// on the base floor because both of them share it.
namespace torvane::platform::win32 {

// The one owner of every kind of Windows handle: move-only, gives the handle
// back when it goes out of scope. A traits type says what the handle is, what
// "no handle" looks like and how to give one back:
//
//   struct Traits {
//       using Handle = ...;
//       static Handle Empty() noexcept;
//       static bool Valid(Handle) noexcept;
//       static void Close(Handle) noexcept;
//   };
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : handle_(Traits::Empty()) {}
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Traits::Valid(handle_); }

    // Hands the handle over to the caller, who closes it from now on.
    Handle Release() noexcept {
        Handle handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }

    // Closes the handle held (if any) and takes `handle` instead.
    void Reset(Handle handle = Traits::Empty()) noexcept {
        Handle old = handle_;
        handle_ = handle;
        if (Traits::Valid(old)) Traits::Close(old);
    }

private:
    Handle handle_;
};

// Pens, brushes, fonts, bitmaps, regions: DeleteObject. Never hold a stock
// object in one of these.
template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

// A device context made with CreateCompatibleDC / CreateDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DeleteDC(h); }
};

// A device context borrowed with GetDC: given back with ReleaseDC, which
// needs the window too.
struct WindowDc {
    HWND window = nullptr;
    HDC dc = nullptr;
};
struct WindowDcTraits {
    using Handle = WindowDc;
    static Handle Empty() noexcept { return {}; }
    static bool Valid(Handle h) noexcept { return h.dc != nullptr; }
    static void Close(Handle h) noexcept { ::ReleaseDC(h.window, h.dc); }
};

// Kernel objects (files, events, threads, processes): CloseHandle. Both
// nullptr and INVALID_HANDLE_VALUE mean "none", as the APIs use either.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

// A folder listing of FindFirstFileA: FindClose. "None" is
// INVALID_HANDLE_VALUE, which is what FindFirstFileA returns on failure.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) noexcept { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::FindClose(h); }
};

// A window this code created and nobody else destroys. The window may already
// be gone (a parent destroys its children first), hence the IsWindow check.
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept {
        if (::IsWindow(h)) ::DestroyWindow(h);
    }
};

// Registry keys opened with RegOpenKeyExA / RegCreateKeyExA: RegCloseKey.
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};

// Movable global memory (GlobalAlloc), e.g. clipboard data not yet handed
// to the system.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::GlobalFree(h); }
};

using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// GetDC for a window (nullptr: the screen), owned.
inline UniqueWindowDc GetWindowDc(HWND window) {
    return UniqueWindowDc(WindowDc{window, ::GetDC(window)});
}

}  // namespace torvane::platform::win32
