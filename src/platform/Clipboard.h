#pragma once
#include <string>

namespace torvane::platform {

// The system clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's contents by `text` as plain 8-bit text.
    // Raises torvane::Exception when the clipboard cannot be opened or
    // written.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace torvane::platform
