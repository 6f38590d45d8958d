#include "platform/win32/Win32FileSystem.h"

#include <objbase.h>

#include "base/Exceptions.h"
#include "base/win32/SystemCodePage.h"
#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

namespace {

using FileHandle = UniqueHandle<KernelHandleTraits>;

class Win32File : public WritableFile {
public:
    explicit Win32File(FileHandle handle) : handle_(std::move(handle)) {}

    void Write(const std::uint8_t* data, std::size_t size) override {
        while (size > 0) {
            const DWORD ask = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!::WriteFile(handle_.Get(), data, ask, &written, nullptr))
                throw EInOutError(LastError());
            // Success with nothing written would loop forever: a disk that
            // takes nothing is full.
            if (written == 0) throw EInOutError(ERROR_DISK_FULL);
            data += written;
            size -= written;
        }
    }

    void Close() override {
        if (!handle_) return;
        HANDLE handle = handle_.Release();
        if (!::CloseHandle(handle)) throw EInOutError(LastError());
    }

private:
    static int LastError() {
        const DWORD error = ::GetLastError();
        return error ? static_cast<int>(error) : ERROR_WRITE_FAULT;
    }
    FileHandle handle_;
};

}  // namespace

std::unique_ptr<WritableFile> Win32FileSystem::CreateFile(const std::string& path) {
    FileHandle handle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) throw EFCreateError(path, ErrorText(static_cast<int>(::GetLastError())));
    return std::make_unique<Win32File>(std::move(handle));
}

int Win32FileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = ::GetLastError();
    return error ? static_cast<int>(error) : ERROR_ACCESS_DENIED;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

std::string Win32FileSystem::ErrorText(int code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message =
        length && text ? std::string(text, length) : "System error " + std::to_string(code);
    if (text) ::LocalFree(text);
    // The system's texts end with a full stop and a line break; the
    // run-time's messages quote them without.
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (!message.empty() && message.back() == '.') message.pop_back();
    return message;
}

std::optional<std::uint32_t> Win32FileSystem::Attributes(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

int Win32FileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    // No attribute at all is written as "normal", the system's word for it.
    const DWORD value = attributes ? static_cast<DWORD>(attributes) : FILE_ATTRIBUTE_NORMAL;
    if (::SetFileAttributesA(path.c_str(), value)) return 0;
    const DWORD error = ::GetLastError();
    return error ? static_cast<int>(error) : ERROR_ACCESS_DENIED;
}

int Win32FileSystem::CreateFolder(const std::string& path) {
    if (::CreateDirectoryA(path.c_str(), nullptr)) return 0;
    const DWORD error = ::GetLastError();
    return error ? static_cast<int>(error) : ERROR_ACCESS_DENIED;
}

LeadByte Win32FileSystem::LeadBytes() { return SystemLeadBytes; }

std::vector<std::string> Win32FileSystem::SubFolders(const std::string& folder,
                                                     bool includeHidden) {
    const std::string pattern =
        (folder.empty() ? folder : WithBackslash(folder, LeadBytes())) + '*';
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    UniqueHandle<FindTraits> search(::FindFirstFileA(pattern.c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..")
            continue;
        if (!includeHidden && (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
        if (IsUnspellableName(name, LeadBytes())) continue;
        names.push_back(name);
    } while (::FindNextFileA(search.Get(), &found));
    return names;
}

std::optional<std::string> Win32FileSystem::FullLongPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD fullSize = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (fullSize == 0 || fullSize >= MAX_PATH) return std::nullopt;
    const std::string resolved(full, fullSize);
    if (resolved.size() < 3 || resolved[1] != ':') return std::nullopt;

    const LeadByte isLead = LeadBytes();
    std::string head = resolved;
    const bool trailingSlash = head.size() > 3 && EndsWithBackslash(head, isLead);
    if (trailingSlash) head.pop_back();
    std::string tail;  // the parts after `head` that do not exist, as written
    for (;;) {
        char longer[MAX_PATH];
        const DWORD longSize = ::GetLongPathNameA(head.c_str(), longer, MAX_PATH);
        if (longSize > 0 && longSize < MAX_PATH) {
            std::string result(longer, longSize);
            if (!tail.empty()) result = WithBackslash(result, isLead) + tail;
            if (trailingSlash) result = WithBackslash(result, isLead);
            return result;
        }
        if (head.size() <= 3) return resolved;  // not even the drive: the text as resolved
        const std::size_t slash = LastBackslash(head, isLead);
        tail = head.substr(slash + 1) + (tail.empty() ? "" : "\\" + tail);
        head.erase(slash < 3 ? 3 : slash);
    }
}

Guid Win32GuidSource::NewGuid() {
    GUID g{};
    if (FAILED(::CoCreateGuid(&g))) throw Exception("Cannot create a GUID");
    Guid guid;
    guid.data1 = g.Data1;
    guid.data2 = g.Data2;
    guid.data3 = g.Data3;
    for (int i = 0; i < 8; ++i) guid.data4[i] = g.Data4[i];
    return guid;
}

}  // namespace torvane::platform::win32
