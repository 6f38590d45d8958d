// Program entry of Torvane_toolbar.exe, a stand-in for the third-party
// browser-toolbar installer the setup runs. It installs nothing: run with
// "/s -silent" it records that it ran; otherwise it says what it is.
#include <shlobj.h>

#include <exception>
#include <string>

#include "base/SplitCommandLine.h"
#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "common/win32/CarriedWin32.h"
#include "platform/win32/DllHardening.h"
#include "toolbar/ToolbarStandIn.h"

namespace {

using namespace torvane;

// Writes %LOCALAPPDATA%\Torvane Toolbar stand-in\ran.txt.
bool RecordRun() {
    const std::string local = carried::win32::ShellFolder(CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE);
    if (local.empty()) return false;
    const std::string folder = local + "\\" + toolbar::kMarkerFolder;
    if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::string text =
        toolbar::MarkerText(::GetCommandLineA(),
                            {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
    const std::string path = folder + "\\" + toolbar::kMarkerFile;
    platform::win32::UniqueKernelHandle file(::CreateFileA(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) &&
           written == text.size();
}

int Run() {
    if (toolbar::IsSilentRun(SplitCommandLine(::GetCommandLineA()))) return RecordRun() ? 0 : 1;
    ::MessageBoxA(nullptr, toolbar::NoticeText().c_str(), toolbar::NoticeTitle().c_str(),
                  MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a DLL: never from the program's folder.
    torvane::platform::win32::HardenDllSearch();
    try {
        return Run();
    } catch (...) {
        return 1;  // silent by design: the setup that runs it shows nothing either
    }
}
