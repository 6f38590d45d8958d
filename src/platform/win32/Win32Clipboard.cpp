#include "platform/win32/Win32Clipboard.h"

#include <cstring>

#include "base/Exceptions.h"
#include "base/win32/UniqueHandle.h"

namespace torvane::platform::win32 {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw Exception(std::string(what) + " (error " + std::to_string(::GetLastError()) + ")");
}

// The clipboard held open by this thread; closed when the object goes.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!::OpenClipboard(owner)) Fail("Cannot open clipboard");
    }
    ~OpenedClipboard() { ::CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

void Win32Clipboard::SetText(const std::string& text) {
    // The text up to its first zero byte, as CF_TEXT ends there anyway.
    const std::size_t length = std::strlen(text.c_str());
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, length + 1));
    if (!memory) Fail("Cannot allocate clipboard memory");
    void* bytes = ::GlobalLock(memory.Get());
    if (!bytes) Fail("Cannot lock clipboard memory");
    std::memcpy(bytes, text.c_str(), length + 1);
    ::GlobalUnlock(memory.Get());

    OpenedClipboard clipboard(owner_ ? owner_() : nullptr);
    if (!::EmptyClipboard()) Fail("Cannot empty clipboard");
    if (!::SetClipboardData(CF_TEXT, memory.Get())) Fail("Cannot set clipboard data");
    memory.Release();  // the system owns it now
}

}  // namespace torvane::platform::win32
