#pragma once
#include <optional>
#include <string>

namespace torvane::platform {

// Failures are returned: a standard user cannot write below HKEY_LOCAL_MACHINE,
// which the install sequence expects. Never throws.
class Registry {
public:
    virtual ~Registry() = default;
    // Opens or creates `key` below HKEY_LOCAL_MACHINE and writes a string
    // value; returns whether it succeeded (a standard user cannot).
    virtual bool SetLocalMachineString(const std::string& key, const std::string& name,
                                       const std::string& value) = 0;
    // A string value below HKEY_LOCAL_MACHINE; nothing when the key or the
    // value is missing, unreadable or not a string.
    virtual std::optional<std::string> LocalMachineString(const std::string& key,
                                                          const std::string& name) = 0;
};

}  // namespace torvane::platform
