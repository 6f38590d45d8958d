#include "uninstall/win32/Win32UninstallSystem.h"

#include "common/win32/CarriedWin32.h"

#include <shlobj.h>

namespace torvane::uninstall {

namespace {

using carried::win32::ErrorText;

bool IsNotThere(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

Outcome FromError(DWORD error) { return IsNotThere(error) ? Outcome::NotThere() : Outcome::Error(ErrorText(error)); }

Outcome SpecialFolder(int csidl, const char* what, std::string& folder) {
    folder = carried::win32::ShellFolder(csidl);
    if (folder.empty()) return Outcome::Error(std::string("Windows does not name the user's ") + what);
    return Outcome::Done();
}

}  // namespace

Outcome Win32UninstallSystem::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA found;
    carried::win32::UniqueFind find(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) {
        const DWORD error = ::GetLastError();
        // A folder without even "." (a drive root that is empty) holds nothing.
        if (error == ERROR_NO_MORE_FILES) return Outcome::Done();
        return FromError(error);
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back(FolderEntry{name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find.Get(), &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES) return Outcome::Error(ErrorText(error));
    return Outcome::Done();
}

Outcome Win32UninstallSystem::RemoveFile(const std::string& path) {
    if (::DeleteFileA(path.c_str())) return Outcome::Done();
    DWORD error = ::GetLastError();
    // A read-only file is refused with "access denied"; the list names it,
    // so the attribute is taken off and the deletion tried once more.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (::DeleteFileA(path.c_str())) return Outcome::Done();
        error = ::GetLastError();
        ::SetFileAttributesA(path.c_str(), attributes);
    }
    return FromError(error);
}

Outcome Win32UninstallSystem::RemoveEmptyFolder(const std::string& path) {
    if (::RemoveDirectoryA(path.c_str())) return Outcome::Done();
    const DWORD error = ::GetLastError();
    if (error == ERROR_DIR_NOT_EMPTY) return Outcome::Error("it is not empty");
    return FromError(error);
}

Outcome Win32UninstallSystem::DeleteMachineKey(const std::string& subkey) {
    const LONG status = ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, subkey.c_str());
    if (status == ERROR_SUCCESS) return Outcome::Done();
    if (status == ERROR_FILE_NOT_FOUND) return Outcome::NotThere();
    // Windows answers "access denied" for a key that still has subkeys too;
    // say which it is.
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
        carried::win32::UniqueRegistryKey key(opened);
        DWORD subkeys = 0;
        if (::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            subkeys > 0)
            return Outcome::Error("it has subkeys, which the list does not name");
    }
    return Outcome::Error(ErrorText(static_cast<DWORD>(status)));
}

Outcome Win32UninstallSystem::ProgramsFolder(std::string& folder) {
    return SpecialFolder(CSIDL_PROGRAMS, "Start-menu programs folder", folder);
}

Outcome Win32UninstallSystem::DesktopFolder(std::string& folder) {
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY, "desktop folder", folder);
}

}  // namespace torvane::uninstall
