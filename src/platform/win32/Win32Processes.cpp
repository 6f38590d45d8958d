#include "platform/win32/Win32Processes.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

// clang-format off
#include "base/win32/WinHeaders.h"
#include <shellapi.h>
// clang-format on

#include "platform/win32/ShellHandOff.h"

namespace torvane::platform::win32 {

namespace {

// Both CreateProcess functions may write into the command line.
template <typename Char>
std::vector<Char> Writable(const std::basic_string<Char>& text) {
    std::vector<Char> buffer(text.begin(), text.end());
    buffer.push_back(0);
    return buffer;
}

// The text in UTF-16, closed by a 0 and writable (CreateProcessW may write
// into its command line). A vector rather than std::wstring: the wide string
// would bring the whole of its run-time instantiation into the setup.
std::vector<wchar_t> Wide(const std::string& text) {
    const int size = text.empty()
                         ? 0
                         : ::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                                 static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(size > 0 ? size : 0) + 1, L'\0');
    if (size > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              size);
    return wide;
}

// Closes what a successful CreateProcess* handed back: nothing waits.
bool Started(BOOL created, const PROCESS_INFORMATION& info) {
    if (!created) return false;
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    return true;
}

// What follows the program on its command line, for the shell, which takes
// the two apart: the line must begin with the program's path, quoted or not.
// Nothing when it does not.
std::optional<std::string> ParametersOf(const std::string& commandLine,
                                        const std::string& application) {
    std::size_t end = 0;
    if (commandLine.compare(0, application.size() + 2, "\"" + application + "\"") == 0)
        end = application.size() + 2;
    else if (commandLine.compare(0, application.size(), application) == 0)
        end = application.size();
    else
        return std::nullopt;
    if (end < commandLine.size() && commandLine[end] != ' ') return std::nullopt;
    return commandLine.substr(std::min(end + 1, commandLine.size()));
}

bool IsFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using CreateProcessWithTokenWFunction = BOOL WINAPI(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID,
                                                    LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

}  // namespace

int ShowCommand(ShowMode show) {
    switch (show) {
        case ShowMode::Normal:
            return SW_SHOWNORMAL;
        case ShowMode::Minimized:
            return SW_SHOWMINNOACTIVE;
        case ShowMode::Maximized:
            return SW_SHOWMAXIMIZED;
    }
    return SW_SHOWNORMAL;
}

StartResult Win32Processes::Start(const std::string& application, const std::string& commandLine,
                                  ShowMode show, bool asUser) {
    if (!asUser || !RunningElevated())
        return StartAsSelf(application, commandLine, show) ? StartResult::Started
                                                           : StartResult::Failed;
    const UniqueKernelHandle shellUser = ShellUserToken();
    if (shellUser && StartWithToken(shellUser.Get(), application, commandLine, show))
        return StartResult::Started;
    // The shell reports no failure to start, so a missing program is not
    // handed to it: that start fails below as it would have here.
    const std::optional<std::string> parameters = ParametersOf(commandLine, application);
    if (parameters && IsFile(application) && HandToShell(application, *parameters, show))
        return StartResult::Started;
    const UniqueKernelHandle linkedUser = LinkedUserToken();
    if (linkedUser && StartWithToken(linkedUser.Get(), application, commandLine, show))
        return StartResult::Started;
    // Never with this program's rights: the caller says that it did not start.
    return StartResult::WouldBeElevated;
}

StartResult Win32Processes::Open(const std::string& what, bool asUser) {
    if (!asUser || !RunningElevated())
        return OpenAsSelf(what) ? StartResult::Started : StartResult::Failed;
    return HandToShell(what, "", ShowMode::Normal) ? StartResult::Started
                                                   : StartResult::WouldBeElevated;
}

bool Win32Processes::HandToShell(const std::string& file, const std::string& parameters,
                                 ShowMode show) {
    return ShellExecuteAsShellUser(file, parameters, ShowCommand(show));
}

bool Win32Processes::OpenAsSelf(const std::string& what) {
    // Values above 32 mean success (the run-time's HINSTANCE convention).
    const HINSTANCE result =
        ::ShellExecuteA(nullptr, nullptr, what.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Processes::RunningElevated() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
    const UniqueKernelHandle token(opened);
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    return ::GetTokenInformation(token.Get(), TokenElevationType, &type, sizeof type, &size) &&
           type == TokenElevationTypeFull;
}

UniqueKernelHandle Win32Processes::LinkedUserToken() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelHandle own(opened);
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!::GetTokenInformation(own.Get(), TokenLinkedToken, &linked, sizeof linked, &size) ||
        !linked.LinkedToken)
        return {};
    const UniqueKernelHandle limited(linked.LinkedToken);
    HANDLE duplicate = nullptr;
    const DWORD access = TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE |
                         TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
    if (!::DuplicateTokenEx(limited.Get(), access, nullptr, SecurityImpersonation, TokenPrimary,
                            &duplicate))
        return {};
    return UniqueKernelHandle(duplicate);
}

UniqueKernelHandle Win32Processes::ShellUserToken() {
    const HWND shellWindow = ::GetShellWindow();
    if (!shellWindow) return UniqueKernelHandle();
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(shellWindow, &processId) || processId == 0)
        return UniqueKernelHandle();
    const UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return UniqueKernelHandle();
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(process.Get(), TOKEN_DUPLICATE, &opened)) return UniqueKernelHandle();
    const UniqueKernelHandle shellToken(opened);
    HANDLE duplicate = nullptr;
    const DWORD access = TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE |
                         TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
    if (!::DuplicateTokenEx(shellToken.Get(), access, nullptr, SecurityImpersonation, TokenPrimary,
                            &duplicate))
        return UniqueKernelHandle();
    return UniqueKernelHandle(duplicate);
}

bool Win32Processes::StartWithToken(HANDLE token, const std::string& application,
                                    const std::string& commandLine, ShowMode show) {
    // Windows Vista and later; older import libraries lack it, so it is
    // looked up. advapi32 is a static import: no loading by name happens here.
    const HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
    auto* create =
        advapi ? reinterpret_cast<CreateProcessWithTokenWFunction*>(
                     reinterpret_cast<void*>(::GetProcAddress(advapi, "CreateProcessWithTokenW")))
               : nullptr;
    if (!create) return false;
    const std::vector<wchar_t> wideApplication = Wide(application);
    std::vector<wchar_t> line = Wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowCommand(show));
    PROCESS_INFORMATION info{};
    return Started(
        create(token, 0, wideApplication.data(), line.data(), 0, nullptr, nullptr, &startup, &info),
        info);
}

bool Win32Processes::StartAsSelf(const std::string& application, const std::string& commandLine,
                                 ShowMode show) {
    std::vector<char> line = Writable(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowCommand(show));
    PROCESS_INFORMATION info{};
    return Started(::CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, nullptr, &startup, &info),
                   info);
}

std::string Win32Processes::OwnExecutablePath() {
    // Paths may be longer than MAX_PATH ("\\?\" forms): grow until the name fits,
    // which is when fewer characters than the buffer holds come back.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 65536) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void Win32Processes::EndProcess(int exitCode) { ::ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace torvane::platform::win32
