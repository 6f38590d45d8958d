#include "common/win32/CarriedWin32.h"

#include <sddl.h>
#include <shlobj.h>

#include <vector>

namespace torvane::carried::win32 {

using platform::win32::UniqueKernelHandle;

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    // Started through an 8.3 name, the module name is short; the uninstall
    // list names the long one.
    std::string longPath(32768, '\0');
    const DWORD length =
        ::GetLongPathNameA(path.c_str(), &longPath[0], static_cast<DWORD>(longPath.size()));
    if (length > 0 && length < longPath.size()) return longPath.substr(0, length);
    return path;
}

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ShellFolder(int csidl) {
    char buffer[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    std::string folder = buffer;
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string TempFolder() {
    char buffer[MAX_PATH + 2] = {};
    const DWORD length = ::GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    std::string folder(buffer, length);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string ErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message;
    if (length > 0 && text) message.assign(text, length);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty()) message = "System error";
    return message + " (error " + std::to_string(code) + ")";
}

std::string FinalPathOf(HANDLE handle) {
    std::string path(MAX_PATH + 8, '\0');
    DWORD length = ::GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= path.size()) {
        path.assign(length + 1, '\0');
        length = ::GetFinalPathNameByHandleA(handle, &path[0], static_cast<DWORD>(path.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= path.size()) return {};
    path.resize(length);
    if (path.rfind("\\\\?\\", 0) == 0) path.erase(0, 4);
    return path;
}

std::string CurrentUserSid() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelHandle token(opened);
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<BYTE> user(size, 0);
    if (!::GetTokenInformation(token.Get(), TokenUser, user.data(), size, &size)) return {};
    char* text = nullptr;
    if (!::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text))
        return {};
    const std::string sid = text;
    ::LocalFree(text);
    return sid;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, DWORD& error) {
    UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        error = ::GetLastError();
        return false;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit) {
        error = ERROR_FILE_TOO_LARGE;
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got,
                        nullptr)) {
            error = ::GetLastError();
            return false;
        }
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return true;
}

}  // namespace torvane::carried::win32
