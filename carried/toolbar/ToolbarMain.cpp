// Program entry of Torvane_toolbar.exe, a stand-in for the third-party
// browser-toolbar installer the setup runs. It installs nothing: run with
// "/s -silent" it records that it ran; otherwise it says what it is.
//
// Built without exceptions and without the C++ library (carried/CMakeLists.txt):
// only Win32 and the C core in toolbar/ToolbarCore.c, so the stand-in stays a
// few KiB. C++ is kept for the handle owner.
#include <shlobj.h>
#include <string.h>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "platform/win32/DllHardening.h"
#include "toolbar/ToolbarCore.h"

namespace {

using torvane::platform::win32::UniqueKernelHandle;

// A block of the process heap, given back when it goes out of scope.
class HeapText {
public:
    explicit HeapText(size_t bytes)
        : text_(static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, bytes))) {}
    ~HeapText() {
        if (text_) ::HeapFree(::GetProcessHeap(), 0, text_);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    char* Get() const { return text_; }

private:
    char* text_;
};

// Appends `part` to the path in `path` (of `capacity` bytes); false if it
// would not fit.
bool Append(char* path, size_t capacity, const char* part) {
    const size_t used = strlen(path);
    const size_t more = strlen(part);
    if (used + more + 1 > capacity) return false;
    memcpy(path + used, part, more + 1);
    return true;
}

// Writes %LOCALAPPDATA%\Torvane Toolbar stand-in\ran.txt.
bool RecordRun() {
    char path[MAX_PATH + 64] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                  SHGFP_TYPE_CURRENT, path)))
        return false;
    size_t length = strlen(path);
    if (length == 0) return false;
    while (length > 3 && path[length - 1] == '\\') path[--length] = '\0';
    if (!Append(path, sizeof path, "\\" TORVANE_TOOLBAR_MARKER_FOLDER)) return false;
    if (!::CreateDirectoryA(path, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    if (!Append(path, sizeof path, "\\" TORVANE_TOOLBAR_MARKER_FILE)) return false;

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const TorvaneToolbarTime time = {now.wYear, now.wMonth,  now.wDay,
                                     now.wHour, now.wMinute, now.wSecond};
    const char* commandLine = ::GetCommandLineA();
    const size_t size = TorvaneToolbarMarkerText(nullptr, 0, commandLine, &time);
    HeapText text(size + 1);
    if (!text.Get()) return false;
    TorvaneToolbarMarkerText(text.Get(), size + 1, commandLine, &time);

    UniqueKernelHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), text.Get(), static_cast<DWORD>(size), &written, nullptr) &&
           written == size;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a DLL: never from the program's folder.
    torvane::platform::win32::HardenDllSearch();
    if (TorvaneToolbarIsSilentCommandLine(::GetCommandLineA())) return RecordRun() ? 0 : 1;
    ::MessageBoxA(nullptr, TorvaneToolbarNoticeText(), TorvaneToolbarNoticeTitle(),
                  MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
