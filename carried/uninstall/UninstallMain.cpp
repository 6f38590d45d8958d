// Program entry of Uninstall.Exe. It reads UnInstall.dat beside itself,
// checks the whole list before touching anything, asks (unless /s), carries
// the lines out in order and removes its own file last, through a copy of
// itself in the temporary folder that runs once this process has ended.
//
//   Uninstall.Exe            ask, remove, report
//   Uninstall.Exe /s         no message boxes; exit code 0 when everything
//                            named was removed, 1 otherwise
//   Uninstall.Exe /cleanup "<original exe>" <pid> ["<folder>" ...]
//                            (the copy; not for users) waits for process
//                            <pid>, deletes the original if it is this very
//                            program, removes the folders if now empty, and
//                            has itself deleted at the next restart
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "base/InstallLayout.h"
#include "base/SplitCommandLine.h"
#include "base/win32/SystemCodePage.h"
#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
// clang-format off
#include <sddl.h>
// clang-format on
#include "common/CarriedVersion.h"
#include "common/win32/CarriedWin32.h"
#include "platform/win32/DllHardening.h"
#include "uninstall/CommandLine.h"
#include "uninstall/Report.h"
#include "uninstall/Run.h"
#include "uninstall/UninstallList.h"
#include "uninstall/win32/Win32UninstallSystem.h"

namespace {

using namespace torvane;
using namespace torvane::uninstall;
using carried::win32::ErrorText;
using platform::win32::UniqueKernelHandle;

constexpr const char* kListName = torvane::layout::kUninstallList.name;
constexpr DWORD kWaitForOriginalMs = 60 * 1000;
constexpr DWORD kDeleteRetryMs = 10 * 1000;
constexpr int kExitRemoved = 0;
constexpr int kExitNotAllRemoved = 1;

std::string Title(const std::string& product) { return "Uninstall " + product; }

// The rights of the folder the copy runs from: this account, administrators
// and SYSTEM, nothing inherited from the temporary folder (whose rights other
// accounts may share).
std::string OwnerOnlySecurity(const std::string& account) {
    std::string sddl = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    if (!account.empty()) sddl += "(A;OICI;FA;;;" + account + ")";
    return sddl;
}

// A folder of this run's own in the temporary folder: made here with
// owner-only rights, so nobody can have put a file or a link in it
// beforehand, and checked through a handle to be where it was made.
std::string MakeFreshFolder(const std::string& temp, std::string& error) {
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            OwnerOnlySecurity(carried::win32::CurrentUserSid()).c_str(), SDDL_REVISION_1, &security,
            nullptr)) {
        error = "cannot describe the rights of its folder: " + ErrorText(::GetLastError());
        return {};
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    const std::string stem =
        temp + "\\Torvane-Uninstall-" + std::to_string(::GetCurrentProcessId()) + "-";
    std::string made;
    for (unsigned attempt = 0; attempt < 100 && made.empty(); ++attempt) {
        const std::string folder = stem + std::to_string((::GetTickCount() + attempt) % 100000);
        if (::CreateDirectoryA(folder.c_str(), &attributes))
            made = folder;
        else if (::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    const DWORD lastError = ::GetLastError();
    ::LocalFree(security);
    if (made.empty()) error = "cannot make a folder in " + temp + ": " + ErrorText(lastError);
    return made;
}

// True when the file open as `copy` holds exactly the bytes of `self`.
bool HoldsSameBytes(HANDLE copy, const std::string& self) {
    std::string mine;
    DWORD error = 0;
    if (!carried::win32::ReadWholeFile(self, 64u << 20, mine, error)) return false;
    std::string theirs(mine.size() + 1, '\0');
    std::size_t done = 0;
    while (done < theirs.size()) {
        DWORD got = 0;
        if (!::ReadFile(copy, &theirs[done], static_cast<DWORD>(theirs.size() - done), &got,
                        nullptr))
            return false;
        if (got == 0) break;
        done += got;
    }
    theirs.resize(done);
    return theirs == mine;
}

// Starts "<temp>\Torvane-Uninstall-<pid>-<n>\Torvane-Uninstall-<pid>.exe
// /cleanup ..." to delete `self` and then the folders once this process has
// ended. The copy lives in a fresh folder of its own and is held open without
// write or delete sharing from the moment it is checked until it runs, so no
// other program can swap it.
bool StartCleanupCopy(const std::string& self, const std::vector<std::string>& folders,
                      std::string& error) {
    // The temporary folder where it really is (a profile may have moved, its
    // name may be short), so the copy's final path can be compared below.
    std::string temp;
    {
        const std::string named = carried::win32::TempFolder();
        UniqueKernelHandle folder(
            ::CreateFileA(named.c_str(), FILE_READ_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (folder) temp = carried::win32::FinalPathOf(folder.Get());
        while (temp.size() > 3 && temp.back() == '\\') temp.pop_back();
    }
    if (temp.empty()) {
        error = "no temporary folder";
        return false;
    }
    const std::string folder = MakeFreshFolder(temp, error);
    if (folder.empty()) return false;
    const std::string copy =
        folder + "\\Torvane-Uninstall-" + std::to_string(::GetCurrentProcessId()) + ".exe";
    auto giveUp = [&](const std::string& why) {
        error = why;
        ::DeleteFileA(copy.c_str());
        ::RemoveDirectoryA(folder.c_str());
        return false;
    };
    if (!::CopyFileA(self.c_str(), copy.c_str(), TRUE))
        return giveUp("cannot copy it to " + copy + ": " + ErrorText(::GetLastError()));
    UniqueKernelHandle held(::CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!held) return giveUp("cannot open its copy " + copy + ": " + ErrorText(::GetLastError()));
    if (!HoldsSameBytes(held.Get(), self)) {
        held.Reset();
        return giveUp("its copy " + copy + " was changed by another program");
    }
    // The copy is where it was written, not behind a junction that took the
    // place of its folder: it is started by the path checked here, and held
    // without delete sharing until it runs, so the path stays its own.
    const std::string really = carried::win32::FinalPathOf(held.Get());
    if (!SameText(really, copy)) {
        held.Reset();
        return giveUp("its copy " + copy + " is really " +
                      (really.empty() ? std::string("somewhere Windows cannot name") : really));
    }
    CleanupRequest request{self, ::GetCurrentProcessId(), folders};
    std::string commandLine = CleanupCommandLine(copy, request);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Its working folder is its own, so it holds no handle on the folders it
    // is to remove.
    if (!::CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        const std::string why = "cannot start " + copy + ": " + ErrorText(::GetLastError());
        held.Reset();
        return giveUp(why);
    }
    UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

// Leaves the running program (and the folders it keeps from being empty) to
// Windows: removed at the next restart. Needs administrator rights.
bool RemoveAtRestart(const std::string& self, const std::vector<std::string>& folders,
                     std::string& error) {
    if (!::MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        error = ErrorText(::GetLastError());
        return false;
    }
    // Registered after the file, so they are removed after it; Windows
    // removes a folder at restart only if it is empty by then.
    for (const std::string& folder : folders)
        ::MoveFileExA(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}

// Reads the list and its last-write time through one handle, so both are of
// the same file.
bool ReadList(const std::string& path, std::string& bytes, std::uint64_t& written, DWORD& error) {
    UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    FILETIME time{};
    LARGE_INTEGER size{};
    if (!::GetFileTime(file.Get(), nullptr, nullptr, &time) ||
        !::GetFileSizeEx(file.Get(), &size)) {
        error = ::GetLastError();
        return false;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > kMaxListBytes) {
        error = ERROR_FILE_TOO_LARGE;
        return false;
    }
    written = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got,
                        nullptr)) {
            error = ::GetLastError();
            return false;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

int RunUninstall(bool silent) {
    const std::string self = carried::win32::ModulePath();
    const std::string listPath = carried::win32::FolderPart(self) + "\\" + kListName;
    // Not the install folder as working folder: that would keep it from
    // being removed.
    char systemFolder[MAX_PATH + 1];
    const UINT length = ::GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    if (length > 0 && length < sizeof systemFolder) ::SetCurrentDirectoryA(systemFolder);

    std::string product = TORVANE_CARRIED_PRODUCT;
    std::string reason;
    std::optional<RunResult> ran;
    std::string bytes;
    std::uint64_t written = 0;
    DWORD error = 0;
    if (self.empty()) {
        reason = "the program cannot find its own folder";
    } else if (!ReadList(listPath, bytes, written, error)) {
        reason = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                     ? "it does not exist"
                 : error == ERROR_FILE_TOO_LARGE ? "it is larger than any list the setup writes"
                                                 : "it cannot be read: " + ErrorText(error);
    } else {
        Win32UninstallSystem system;
        auto confirm = [&](const std::string& name) {
            if (silent) return true;
            const std::string question = "Remove " + name + " and all of its components?";
            return ::MessageBoxA(nullptr, question.c_str(), Title(name).c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) == IDYES;
        };
        try {
            ran = uninstall::Uninstall(bytes, written, self, system, confirm, product);
            if (!ran) return kExitNotAllRemoved;  // the user said no
        } catch (const ListError& e) {
            reason = e.what();
        }
    }
    if (!reason.empty()) {
        if (!silent)
            ::MessageBoxA(nullptr, DamagedListMessage(listPath, reason).c_str(),
                          Title(product).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        return kExitNotAllRemoved;
    }

    RunResult& result = *ran;
    if (result.selfItem) {
        std::string copyError, restartError;
        if (StartCleanupCopy(self, result.foldersAfterSelf, copyError))
            SettleSelfRemoval(result, SelfRemoval::ByCopy);
        else if (RemoveAtRestart(self, result.foldersAfterSelf, restartError))
            SettleSelfRemoval(result, SelfRemoval::AtRestart);
        else
            SettleSelfRemoval(result, SelfRemoval::Failed, copyError + "; " + restartError);
    }

    const bool removed = EverythingRemoved(result);
    if (!silent)
        ::MessageBoxA(nullptr, ReportMessage(product, result).c_str(), Title(product).c_str(),
                      MB_OK | MB_SETFOREGROUND | (removed ? MB_ICONINFORMATION : MB_ICONWARNING));
    return removed ? kExitRemoved : kExitNotAllRemoved;
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::string left, right;
    DWORD error = 0;
    constexpr std::size_t kLimit = 64u << 20;
    return carried::win32::ReadWholeFile(a, kLimit, left, error) &&
           carried::win32::ReadWholeFile(b, kLimit, right, error) && left == right;
}

// The copy's work. It deletes only a file identical to itself, so the
// switch cannot be used to delete anything but a copy of this program.
int Cleanup(const CleanupRequest& request) {
    const std::string self = carried::win32::ModulePath();
    if (HANDLE opened = ::OpenProcess(SYNCHRONIZE, FALSE, request.processId)) {
        UniqueKernelHandle original(opened);
        ::WaitForSingleObject(original.Get(), kWaitForOriginalMs);
    }
    Win32UninstallSystem system;
    bool allGone = true;
    if (!SameText(self, request.original) && carried::win32::FileExists(request.original)) {
        if (SameBytes(self, request.original)) {
            // The image may stay locked for a moment after the process ends.
            const DWORD start = ::GetTickCount();
            while (true) {
                const Outcome outcome = system.RemoveFile(request.original);
                if (outcome.status != Status::Failed) break;
                if (::GetTickCount() - start > kDeleteRetryMs) {
                    allGone = false;
                    break;
                }
                ::Sleep(200);
            }
        } else {
            allGone = false;
        }
    }
    for (const std::string& folder : request.folders)
        if (system.RemoveEmptyFolder(folder).status == Status::Failed) allGone = false;
    // A running program cannot delete itself: this copy and its folder stay
    // in the temporary folder until the next restart (if Windows lets us
    // register that, which needs administrator rights); the folder is
    // registered after the file, so it is empty by then.
    ::MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    const std::string ownFolder = carried::win32::FolderPart(self);
    if (NameOf(ownFolder).rfind("Torvane-Uninstall-", 0) == 0)
        ::MoveFileExA(ownFolder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return allGone ? kExitRemoved : kExitNotAllRemoved;
}

int Run() {
    Invocation invocation;
    try {
        invocation = ParseInvocation(SplitCommandLine(::GetCommandLineA()),
                                     platform::win32::SystemLeadBytes);
    } catch (const ListError&) {
        return 2;  // a malformed /cleanup: only the program itself starts that
    }
    switch (invocation.mode) {
        case Mode::Cleanup:
            return Cleanup(invocation.cleanup);
        case Mode::Silent:
            return RunUninstall(true);
        case Mode::Interactive:
            return RunUninstall(false);
    }
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a DLL: never from the program's folder.
    torvane::platform::win32::HardenDllSearch();
    try {
        return Run();
    } catch (const std::exception& e) {
        // Only a failure of the program itself (out of memory): say so unless silent.
        const std::string text = std::string("The uninstaller failed: ") + e.what();
        bool silent = false;
        try {
            silent =
                ParseInvocation(SplitCommandLine(::GetCommandLineA())).mode != Mode::Interactive;
        } catch (...) {
            silent = true;
        }
        if (!silent)
            ::MessageBoxA(nullptr, text.c_str(), "Uninstall " TORVANE_CARRIED_PRODUCT,
                          MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    return kExitNotAllRemoved;
}
