#pragma once
#include <objbase.h>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

// A COM interface pointer owned by the holder: Release when it goes.
template <typename Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { h->Release(); }
};
template <typename Interface>
using ComPtr = UniqueHandle<ComTraits<Interface>>;

// COM for the calling thread, single-threaded apartment (the shell's objects
// need one), for the lifetime of the object. A thread already initialised
// another way keeps its apartment; only a successful call is balanced with
// CoUninitialize.
class ComApartment {
public:
    ComApartment() noexcept
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

}  // namespace torvane::platform::win32
