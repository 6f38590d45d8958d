#pragma once
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/Http.h"

namespace torvane::testing {

// What the fake server answers for one URL.
struct FakeResponse {
    std::string status = "200";
    std::string body;
    // Reads that return data before the next read fails (returns false) or
    // raises; unset: the whole body is read.
    std::optional<std::size_t> failAfterReads = std::nullopt;
    std::optional<std::size_t> raiseAfterReads = std::nullopt;
};

// The internet as the fetch tests want it, safe for several worker threads
// at once. URLs without a response cannot be opened (OpenUrl gives null, as
// for an unreachable host); with `refuseRoot` there is no root handle.
// Records every agent, URL and read size asked for, and counts the handles
// still open. With `concurrentOpens` set, each OpenUrl waits until that many
// are waiting together (or 10 s have passed; `timedOut` then says so), which
// shows that fetches run side by side.
class FakeHttp : public platform::Http {
public:
    std::unique_ptr<platform::HttpSession> Open(const std::string& agent) override {
        std::lock_guard<std::mutex> lock(mutex_);
        agents.push_back(agent);
        if (refuseRoot) return nullptr;
        ++openHandles;
        return std::make_unique<Session>(*this);
    }

    void Respond(const std::string& url, FakeResponse response) {
        std::lock_guard<std::mutex> lock(mutex_);
        responses[url] = std::move(response);
    }

    template <typename F>
    auto Locked(F read) {
        std::lock_guard<std::mutex> lock(mutex_);
        return read();
    }

    // Everything below is guarded by the fake's lock: read it through Locked
    // while workers may still run.
    std::map<std::string, FakeResponse> responses;
    bool refuseRoot = false;
    int concurrentOpens = 0;
    bool timedOut = false;
    std::vector<std::string> agents, urls;
    std::vector<std::size_t> readSizes;
    int statusQueries = 0;
    int openHandles = 0;

private:
    class Request : public platform::HttpRequest {
    public:
        Request(FakeHttp& http, FakeResponse response)
            : http_(http), response_(std::move(response)) {}
        ~Request() override {
            http_.Locked([&] { return --http_.openHandles; });
        }
        std::string QueryStatusCode() override {
            http_.Locked([&] { return ++http_.statusQueries; });
            return response_.status;
        }
        bool Read(std::uint8_t* buffer, std::size_t capacity, std::size_t& read) override {
            http_.Locked([&] {
                http_.readSizes.push_back(capacity);
                return 0;
            });
            if (response_.raiseAfterReads && reads_ == *response_.raiseAfterReads)
                throw Exception("connection reset");
            if (response_.failAfterReads && reads_ == *response_.failAfterReads) return false;
            ++reads_;
            read = std::min(capacity, response_.body.size() - offset_);
            std::memcpy(buffer, response_.body.data() + offset_, read);
            offset_ += read;
            return true;
        }

    private:
        FakeHttp& http_;
        FakeResponse response_;
        std::size_t offset_ = 0;
        std::size_t reads_ = 0;
    };

    class Session : public platform::HttpSession {
    public:
        explicit Session(FakeHttp& http) : http_(http) {}
        ~Session() override {
            http_.Locked([&] { return --http_.openHandles; });
        }
        std::unique_ptr<platform::HttpRequest> OpenUrl(const std::string& url) override {
            std::unique_lock<std::mutex> lock(http_.mutex_);
            http_.urls.push_back(url);
            if (http_.concurrentOpens > 0) {
                ++http_.waiting_;
                http_.arrived_.notify_all();
                if (!http_.arrived_.wait_for(lock, std::chrono::seconds(10), [&] {
                        return http_.waiting_ >= http_.concurrentOpens;
                    }))
                    http_.timedOut = true;
            }
            const auto it = http_.responses.find(url);
            if (it == http_.responses.end()) return nullptr;
            ++http_.openHandles;
            return std::make_unique<Request>(http_, it->second);
        }

    private:
        FakeHttp& http_;
    };

    std::mutex mutex_;
    std::condition_variable arrived_;
    int waiting_ = 0;
};

}  // namespace torvane::testing
