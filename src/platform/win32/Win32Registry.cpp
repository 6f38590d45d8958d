#include "platform/win32/Win32Registry.h"

#include <algorithm>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

bool Win32Registry::SetLocalMachineString(const std::string& key, const std::string& name,
                                          const std::string& value) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const UniqueRegistryKey owned(opened);
    // The terminating zero is part of a REG_SZ value's data.
    return ::RegSetValueExA(owned.Get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::LocalMachineString(const std::string& key,
                                                             const std::string& name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const UniqueRegistryKey owned(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(owned.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > 64 * 1024)
        return std::nullopt;
    std::string value(size, '\0');
    if (size > 0 && ::RegQueryValueExA(owned.Get(), name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value[0]), &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The stored terminating zero (or none, when whoever wrote it left it out).
    value.resize(std::min<std::size_t>(size, value.size()));
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

}  // namespace torvane::platform::win32
