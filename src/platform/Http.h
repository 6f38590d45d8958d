#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace torvane::platform {

// One URL opened for reading (WinInet: the handle of InternetOpenUrlA).
// Closed when the object goes.
class HttpRequest {
public:
    virtual ~HttpRequest() = default;
    // The HTTP status code as the server sent it ("200", "404"), or empty
    // when the system gives none.
    virtual std::string QueryStatusCode() = 0;
    // Reads at most `capacity` bytes of the body into `buffer`. Returns false
    // when the read fails; otherwise `read` holds the count, 0 at the end.
    virtual bool Read(std::uint8_t* buffer, std::size_t capacity, std::size_t& read) = 0;
};

// The root of the internet functions (WinInet: InternetOpenA with the
// system's own proxy settings). Closed when the object goes, after every
// request opened from it. Each object is used by one thread only.
class HttpSession {
public:
    virtual ~HttpSession() = default;
    // Opens the URL for a GET, always from the server, never from a cache.
    // Null when it cannot be opened (unreachable host, malformed URL).
    virtual std::unique_ptr<HttpRequest> OpenUrl(const std::string& url) = 0;
};

// The internet access of the web fetch. Open may be called from any thread,
// several at once.
// Failures of all three interfaces here are returned (null, false, an empty
// status): an unreachable or silent server is an expected outcome of the web
// fetch, which reports it as its own result. Nothing here throws.
class Http {
public:
    virtual ~Http() = default;
    // Null when the system gives no root handle.
    virtual std::unique_ptr<HttpSession> Open(const std::string& agent) = 0;
};

}  // namespace torvane::platform
