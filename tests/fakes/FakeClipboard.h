#pragma once
#include <optional>
#include <string>

#include "base/Exceptions.h"
#include "platform/Clipboard.h"

namespace torvane::testing {

// Holds the last text put on it; with `refuse` set it raises, as when
// another program keeps the clipboard open.
class FakeClipboard : public platform::Clipboard {
public:
    void SetText(const std::string& value) override {
        if (refuse) throw Exception("Cannot open clipboard");
        text = value;
    }

    std::optional<std::string> text;
    bool refuse = false;
};

}  // namespace torvane::testing
