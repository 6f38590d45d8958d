#include "platform/win32/Win32Registry.h"

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

}  // namespace torvane::platform::win32
