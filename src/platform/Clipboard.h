#pragma once
#include <string>

namespace torvane::platform {

// The system clipboard.
// Failures are thrown: the error panel's copy button has nothing else to do
// with a clipboard it cannot open than to report it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's contents by `text` as plain 8-bit text.
    // Raises torvane::Exception when the clipboard cannot be opened or
    // written.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace torvane::platform
