#include <vector>

#include "base/win32/SystemCodePage.h"
#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "platform/win32/Win32FileSystem.h"

// clang-format off
#include <aclapi.h>
#include <sddl.h>
// clang-format on

namespace torvane::platform::win32 {

namespace {

// Read and run, with the rights to read attributes and permissions and to
// wait on the folder: what Program Files gives users (FILE_GENERIC_READ |
// FILE_GENERIC_EXECUTE).
constexpr const char* kReadAndRun = "0x1200a9";

// Memory the security functions allocate with LocalAlloc.
struct LocalMemory {
    void* memory = nullptr;
    ~LocalMemory() {
        if (memory) ::LocalFree(memory);
    }
};

// The token user's SID of this process as text; empty when unknown.
std::string OwnAccountSid(std::vector<BYTE>& user) {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelHandle token(opened);
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    user.assign(size, 0);
    if (!::GetTokenInformation(token.Get(), TokenUser, user.data(), size, &size)) return {};
    LocalMemory text;
    char* sid = nullptr;
    if (!::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid))
        return {};
    text.memory = sid;
    return sid;
}

bool IsAdministrator() {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    BOOL member = FALSE;
    return ::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, buffer, &size) &&
           ::CheckTokenMembership(nullptr, buffer, &member) && member;
}

}  // namespace

std::string OwnFolderSecurity(const std::string& installingAccount) {
    std::string sddl = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    sddl += std::string("(A;OICI;") + kReadAndRun + ";;;BU)(A;OICI;" + kReadAndRun + ";;;AU)";
    if (!installingAccount.empty()) sddl += "(A;OICI;FA;;;" + installingAccount + ")";
    return sddl;
}

std::optional<std::string> Win32FileSystem::ReadHead(const std::string& path, std::size_t limit) {
    const UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
    if (!file) return std::nullopt;
    std::string head(limit, '\0');
    DWORD got = 0;
    if (!::ReadFile(file.Get(), &head[0], static_cast<DWORD>(limit), &got, nullptr))
        return std::nullopt;
    head.resize(got);
    return head;
}

FileSystem::Owner Win32FileSystem::OwnerOf(const std::string& path) {
    PSID owner = nullptr;
    LocalMemory descriptor;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, nullptr, nullptr, &security) != ERROR_SUCCESS)
        return Owner::Unknown;
    descriptor.memory = security;
    if (!owner) return Owner::Unknown;
    if (::IsWellKnownSid(owner, WinBuiltinAdministratorsSid)) return Owner::Administrators;
    if (::IsWellKnownSid(owner, WinLocalSystemSid)) return Owner::System;
    std::vector<BYTE> user;
    if (!OwnAccountSid(user).empty() &&
        ::EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid))
        return Owner::InstallingAccount;
    return Owner::Other;
}

int Win32FileSystem::CreateOwnFolder(const std::string& path) {
    std::vector<BYTE> user;
    const std::string account = IsAdministrator() ? std::string() : OwnAccountSid(user);
    LocalMemory descriptor;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            OwnFolderSecurity(account).c_str(), SDDL_REVISION_1, &security, nullptr))
        return static_cast<int>(::GetLastError());
    descriptor.memory = security;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    // Made with its rights, so there is no moment in which another account
    // could open it with the rights of the folder above.
    if (::CreateDirectoryA(path.c_str(), &attributes)) return 0;
    const DWORD error = ::GetLastError();
    return error ? static_cast<int>(error) : ERROR_ACCESS_DENIED;
}

std::optional<std::string> Win32FileSystem::FinalPath(const std::string& path) {
    const UniqueKernelHandle handle(::CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return std::nullopt;
    std::string final(MAX_PATH + 8, '\0');
    DWORD length =
        ::GetFinalPathNameByHandleA(handle.Get(), &final[0], static_cast<DWORD>(final.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= final.size()) {
        final.assign(length + 1, '\0');
        length =
            ::GetFinalPathNameByHandleA(handle.Get(), &final[0], static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= final.size()) return std::nullopt;
    final.resize(length);
    if (final.rfind("\\\\?\\", 0) == 0) final.erase(0, 4);
    if (final.size() > 3 && EndsWithBackslash(final, SystemLeadBytes)) final.pop_back();
    return final;
}

}  // namespace torvane::platform::win32
