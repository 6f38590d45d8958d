#pragma once
#include <memory>
#include <string>

#include "platform/Http.h"

namespace torvane::platform::win32 {

// platform::Http over WinInet. wininet.dll is not imported (a copy planted
// beside a downloaded setup would be loaded before WinMain): every Open loads
// it by its full System32 path, and each session keeps it loaded until its
// last handle is closed, so a fetch in flight never outlives its library.
// Open raises when wininet.dll or one of its functions is missing. Connecting,
// sending and every wait for data are limited to 30 s each.
class Win32Http : public Http {
public:
    std::unique_ptr<HttpSession> Open(const std::string& agent) override;
};

}  // namespace torvane::platform::win32
