#include "uninstall/win32/Win32UninstallSystem.h"

#include <shlobj.h>

#include "base/InstallLayout.h"
#include "base/UninstallRecord.h"
#include "base/win32/SystemCodePage.h"
#include "common/win32/CarriedWin32.h"
#include "uninstall/Confinement.h"

namespace torvane::uninstall {

namespace {

using carried::win32::ErrorText;
using carried::win32::FinalPathOf;
using platform::win32::UniqueKernelHandle;

using platform::win32::SystemLeadBytes;

bool IsNotThere(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

Outcome FromError(DWORD error) {
    return IsNotThere(error) ? Outcome::NotThere() : Outcome::Error(ErrorText(error));
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The final path of the folder `path` (which is followed if it is a link).
std::string FinalFolderPath(const std::string& path) {
    UniqueKernelHandle folder(::CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder ? FinalPathOf(folder.Get()) : std::string();
}

// Opens the object at `path` itself (a link or junction is not followed) for
// deletion, and makes sure it is what the list names: no reparse point, and
// the handle's final path is its folder's final path and its own name (no
// short name, no link; a junction above the folder, such as a moved
// profile, was judged before anything ran).
Outcome OpenForDeletion(const std::string& path, bool folder, UniqueKernelHandle& handle) {
    // No delete sharing: nobody renames or replaces it while it is checked.
    handle.Reset(::CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return FromError(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle.Get(), &info))
        return Outcome::Error(ErrorText(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Outcome::Error("it is a junction or a link, which is not followed");
    const bool isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder != folder)
        return Outcome::Error(folder ? "it is a file, not a folder" : "it is a folder");
    const std::string final = FinalPathOf(handle.Get());
    if (final.empty()) return Outcome::Error("Windows cannot say where it is");
    const std::string folderFinal = FinalFolderPath(FolderOf(path, SystemLeadBytes));
    if (folderFinal.empty() || !SameText(final, folderFinal + "\\" + NameOf(path, SystemLeadBytes)))
        return Outcome::Error("it is really " + final);
    return Outcome::Done();
}

bool MarkForDeletion(HANDLE handle, DWORD& error) {
    // (Its one member is named DeleteFile, which <windows.h> may turn into
    // DeleteFileA by macro: set it by position.)
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition))
        return true;
    error = ::GetLastError();
    return false;
}

Outcome SpecialFolder(int csidl, const char* what, std::string& folder) {
    folder = carried::win32::ShellFolder(csidl);
    if (folder.empty())
        return Outcome::Error(std::string("Windows does not name the user's ") + what);
    return Outcome::Done();
}

}  // namespace

Outcome Win32UninstallSystem::ListFolder(const std::string& folder,
                                         std::vector<FolderEntry>& entries) {
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
        entries.push_back(
            FolderEntry{name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find.Get(), &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES) return Outcome::Error(ErrorText(error));
    return Outcome::Done();
}

Outcome Win32UninstallSystem::Inspect(const std::string& path, PathFacts& facts) {
    facts = PathFacts{};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    // Reports the object itself: a link's or junction's own attributes.
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return FromError(::GetLastError());
    facts.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.isReparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts.created = Ticks(data.ftCreationTime);
    facts.written = Ticks(data.ftLastWriteTime);
    return Outcome::Done();
}

Outcome Win32UninstallSystem::RemoveFile(const std::string& path) {
    UniqueKernelHandle file;
    const Outcome opened = OpenForDeletion(path, false, file);
    if (opened.status != Status::Removed) return opened;
    DWORD error = 0;
    if (MarkForDeletion(file.Get(), error)) return Outcome::Done();
    // A read-only file is refused with "access denied"; the list names it,
    // so the attribute is taken off (through the same handle) and the
    // deletion tried once more.
    FILE_BASIC_INFO basic{};
    if (error == ERROR_ACCESS_DENIED &&
        ::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic) &&
        (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
        const DWORD original = basic.FileAttributes;
        basic.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
        if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic)) {
            if (MarkForDeletion(file.Get(), error)) return Outcome::Done();
            basic.FileAttributes = original;
            ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic);
        }
    }
    return FromError(error);
}

Outcome Win32UninstallSystem::RemoveEmptyFolder(const std::string& path) {
    UniqueKernelHandle folder;
    const Outcome opened = OpenForDeletion(path, true, folder);
    if (opened.status != Status::Removed) return opened;
    DWORD error = 0;
    if (MarkForDeletion(folder.Get(), error)) return Outcome::Done();
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
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) ==
        ERROR_SUCCESS) {
        carried::win32::UniqueRegistryKey key(opened);
        DWORD subkeys = 0;
        if (::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
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

namespace {

// A string value of an open key; the error number of the query (0: read).
LONG ReadString(HKEY key, const char* name, std::string& value) {
    DWORD type = 0, size = 0;
    LONG status = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > 64 * 1024) return ERROR_INVALID_DATA;
    value.assign(size + 1, '\0');
    status =
        ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &size);
    if (status != ERROR_SUCCESS) return status;
    value.resize(size);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH * 2] = {};
        const DWORD length = ::ExpandEnvironmentStringsA(value.c_str(), expanded, sizeof expanded);
        if (length == 0 || length > sizeof expanded) return ERROR_INVALID_DATA;
        value = expanded;
    }
    return ERROR_SUCCESS;
}

std::string Unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

Outcome Win32UninstallSystem::RecordedListDigest(const std::string& selfPath, std::string& digest) {
    digest.clear();
    HKEY opened = nullptr;
    const LONG status =
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, layout::kUninstallKey, 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) return Outcome::NotThere();
    if (status != ERROR_SUCCESS) return Outcome::Error(ErrorText(static_cast<DWORD>(status)));
    carried::win32::UniqueRegistryKey key(opened);
    std::string command;
    LONG read = ReadString(key.Get(), "UninstallString", command);
    if (read == ERROR_FILE_NOT_FOUND) return Outcome::NotThere();
    if (read != ERROR_SUCCESS) return Outcome::Error(ErrorText(static_cast<DWORD>(read)));
    // The key of another installation says nothing about this list.
    if (!SameText(Unquoted(command), selfPath)) return Outcome::NotThere();
    read = ReadString(key.Get(), kUninstallListDigestValue, digest);
    if (read == ERROR_FILE_NOT_FOUND) return Outcome::NotThere();
    if (read != ERROR_SUCCESS) return Outcome::Error(ErrorText(static_cast<DWORD>(read)));
    return Outcome::Done();
}

Outcome Win32UninstallSystem::ProfileDataFolders(std::vector<std::string>& folders) {
    folders.clear();
    const std::string own = carried::win32::ShellFolder(CSIDL_LOCAL_APPDATA);
    if (!own.empty()) folders.push_back(own);
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                        "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                        KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return Outcome::Done();
    carried::win32::UniqueRegistryKey list(opened);
    char name[256];
    for (DWORD index = 0; index < 4096; ++index) {
        DWORD length = sizeof name;
        const LONG status =
            ::RegEnumKeyExA(list.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue;
        HKEY profileOpened = nullptr;
        if (::RegOpenKeyExA(list.Get(), name, 0, KEY_QUERY_VALUE, &profileOpened) != ERROR_SUCCESS)
            continue;
        carried::win32::UniqueRegistryKey profile(profileOpened);
        std::string image;
        if (ReadString(profile.Get(), "ProfileImagePath", image) == ERROR_SUCCESS && !image.empty())
            folders.push_back(image + "\\AppData\\Local");
    }
    return Outcome::Done();
}

LeadByte Win32UninstallSystem::LeadBytes() { return SystemLeadBytes; }

Outcome Win32UninstallSystem::FinalPath(const std::string& path, std::string& final) {
    final = FinalFolderPath(path);
    if (final.empty()) return FromError(::GetLastError());
    return Outcome::Done();
}

}  // namespace torvane::uninstall
