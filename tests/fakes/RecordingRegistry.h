#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/Registry.h"

namespace torvane::testing {

// The values written below HKEY_LOCAL_MACHINE, by key and name. With
// `refuse` every write fails and stores nothing, as for a standard user;
// `refused` counts those attempts.
class RecordingRegistry : public platform::Registry {
public:
    bool SetLocalMachineString(const std::string& key, const std::string& name,
                               const std::string& value) override {
        if (refuse) {
            ++refused;
            return false;
        }
        values[{key, name}] = value;
        return true;
    }

    std::optional<std::string> LocalMachineString(const std::string& key,
                                                  const std::string& name) override {
        return Value(key, name);
    }

    std::optional<std::string> Value(const std::string& key, const std::string& name) const {
        const auto it = values.find({key, name});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    bool refuse = false;
    int refused = 0;
};

}  // namespace torvane::testing
