#pragma once
#include "platform/Registry.h"

namespace torvane::platform::win32 {

// RegCreateKeyExA + RegSetValueExA (REG_SZ), RegQueryValueExA to read. A 32-bit program writes the
// 32-bit view of the registry (Wow6432Node on 64-bit Windows), where the
// carried 32-bit programs read.
class Win32Registry : public Registry {
public:
    bool SetLocalMachineString(const std::string& key, const std::string& name,
                               const std::string& value) override;
    std::optional<std::string> LocalMachineString(const std::string& key,
                                                  const std::string& name) override;
};

}  // namespace torvane::platform::win32
