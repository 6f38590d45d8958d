#include "platform/win32/Win32Http.h"

#include <algorithm>

#include "base/win32/WinHeaders.h"
#include "platform/win32/SystemLibrary.h"

// Declarations only: the functions are taken from the DLL loaded at run time.
#include <wininet.h>

namespace torvane::platform::win32 {

namespace {

// wininet.dll and the functions the fetch calls, shared by a session and
// every request opened from it.
class WinInet {
public:
    WinInet()
        : library_("wininet.dll"),
          InternetOpenA(library_.Require<decltype(::InternetOpenA)>("InternetOpenA")),
          InternetOpenUrlA(library_.Require<decltype(::InternetOpenUrlA)>("InternetOpenUrlA")),
          HttpQueryInfoA(library_.Require<decltype(::HttpQueryInfoA)>("HttpQueryInfoA")),
          InternetReadFile(library_.Require<decltype(::InternetReadFile)>("InternetReadFile")),
          InternetCloseHandle(
              library_.Require<decltype(::InternetCloseHandle)>("InternetCloseHandle")),
          InternetSetOptionA(
              library_.Require<decltype(::InternetSetOptionA)>("InternetSetOptionA")) {}

private:
    SystemLibrary library_;

public:
    decltype(::InternetOpenA)* const InternetOpenA;
    decltype(::InternetOpenUrlA)* const InternetOpenUrlA;
    decltype(::HttpQueryInfoA)* const HttpQueryInfoA;
    decltype(::InternetReadFile)* const InternetReadFile;
    decltype(::InternetCloseHandle)* const InternetCloseHandle;
    decltype(::InternetSetOptionA)* const InternetSetOptionA;
};

// WinInet waits for a server that accepts and then says nothing for as long
// as the system's defaults allow (for a receive: an hour). The fetch gives
// each step this long, on the root handle, so every request opened from it
// inherits the limits.
constexpr DWORD kTimeoutMs = 30 * 1000;

void SetTimeouts(const WinInet& api, HINTERNET root) {
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
        DWORD value = kTimeoutMs;
        api.InternetSetOptionA(root, option, &value, sizeof value);
    }
}

// An HINTERNET closed with InternetCloseHandle when it goes. Not a
// UniqueHandle: the closing function lives in the run-time loaded DLL, which
// the handle keeps loaded.
class InternetHandle {
public:
    InternetHandle(std::shared_ptr<const WinInet> api, HINTERNET handle)
        : api_(std::move(api)), handle_(handle) {}
    ~InternetHandle() {
        if (handle_) api_->InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET Get() const { return handle_; }
    const WinInet& Api() const { return *api_; }
    const std::shared_ptr<const WinInet>& SharedApi() const { return api_; }

private:
    std::shared_ptr<const WinInet> api_;
    HINTERNET handle_;
};

class Win32HttpRequest : public HttpRequest {
public:
    Win32HttpRequest(std::shared_ptr<const WinInet> api, HINTERNET handle)
        : handle_(std::move(api), handle) {}

    std::string QueryStatusCode() override {
        // Three digits and the terminating zero fit; the text is the answer.
        char buffer[10] = {};
        DWORD length = sizeof buffer;
        DWORD index = 0;
        if (!handle_.Api().HttpQueryInfoA(handle_.Get(), HTTP_QUERY_STATUS_CODE, buffer, &length,
                                          &index))
            return {};
        return std::string(buffer, std::min<std::size_t>(length, sizeof buffer));
    }

    bool Read(std::uint8_t* buffer, std::size_t capacity, std::size_t& read) override {
        DWORD got = 0;
        const BOOL ok = handle_.Api().InternetReadFile(handle_.Get(), buffer,
                                                       static_cast<DWORD>(capacity), &got);
        read = got;
        return ok != FALSE;
    }

private:
    InternetHandle handle_;
};

class Win32HttpSession : public HttpSession {
public:
    Win32HttpSession(std::shared_ptr<const WinInet> api, HINTERNET root)
        : root_(std::move(api), root) {}

    std::unique_ptr<HttpRequest> OpenUrl(const std::string& url) override {
        HINTERNET handle = root_.Api().InternetOpenUrlA(root_.Get(), url.c_str(), nullptr, 0,
                                                        INTERNET_FLAG_RELOAD, 0);
        if (!handle) return nullptr;
        return std::make_unique<Win32HttpRequest>(root_.SharedApi(), handle);
    }

private:
    InternetHandle root_;
};

}  // namespace

std::unique_ptr<HttpSession> Win32Http::Open(const std::string& agent) {
    auto api = std::make_shared<const WinInet>();
    HINTERNET root =
        api->InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!root) return nullptr;
    SetTimeouts(*api, root);
    return std::make_unique<Win32HttpSession>(std::move(api), root);
}

}  // namespace torvane::platform::win32
