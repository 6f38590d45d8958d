#pragma once
#include <functional>
#include <memory>
#include <string>

#include "lib/MemoryStream.h"
#include "platform/Http.h"

namespace torvane {

// Fetches one URL into memory on a worker thread of its own and hands the
// answer to the user-interface thread. Fire-and-forget: Start returns at
// once, and the object frees itself once its hand-over has run (or has been
// dropped because the program is ending). Nothing waits for a fetch or
// cancels it.
//
// Worker thread: open the root handle (agent kAgent, the system's proxy
// settings), open the URL (always from the server), ask for the status code
// (not looked at: a 404 body is delivered like any other), read the body in
// chunks of kChunk bytes until a read fails or returns nothing or kMaxAnswer
// bytes are kept, close both
// handles. Any failure on the way empties the stream; a root handle or URL
// that cannot be opened simply gives an empty body. The stream is rewound,
// then handed over and the worker waits until the hand-over has run.
class tLibGetMemStreamFromTheWeb {
public:
    // Called on the user-interface thread once the fetch has ended, with
    // the fetch as sender. Sender.Stream holds the body (empty after a
    // failure), positioned at its start; the handler may take it
    // (std::move) to keep it, otherwise it is freed with the fetch.
    using DoneHandler = std::function<void(tLibGetMemStreamFromTheWeb& Sender)>;
    // The control layer's hand-over: runs the task on the user-interface
    // thread soon, from any thread. Returns false when it can no longer
    // (the program is ending); the task is then destroyed without running.
    using PostToUiThread = std::function<bool(std::function<void()> task)>;

    static constexpr const char* kAgent = "InetURL:/1.0";
    static constexpr std::size_t kChunk = 4095;
    // The most of an answer that is kept: the error report's answer is not
    // even looked at, and a server (or whoever answers in its place) must
    // not be able to fill the memory. Reading stops there.
    static constexpr std::size_t kMaxAnswer = 1 << 20;

    // Starts a fetch of `URL`. `OnDone` may be empty: the answer is then
    // freed on the user-interface thread. Returns false when no thread could
    // be started (nothing is fetched then, and nothing is handed over).
    static bool Start(std::string URL, DoneHandler OnDone, std::shared_ptr<platform::Http> http,
                      PostToUiThread postToUiThread);

    tLibGetMemStreamFromTheWeb(const tLibGetMemStreamFromTheWeb&) = delete;
    tLibGetMemStreamFromTheWeb& operator=(const tLibGetMemStreamFromTheWeb&) = delete;

    DoneHandler OnDone;
    std::unique_ptr<MemoryStream> Stream;
    std::string URL;

private:
    tLibGetMemStreamFromTheWeb(std::string url, DoneHandler onDone,
                               std::shared_ptr<platform::Http> http, PostToUiThread postToUiThread);

    // The thread's work: fetch, then hand over and wait. Never throws.
    void Execute() noexcept;
    void Fetch();
    void HandOver();

    std::shared_ptr<platform::Http> http_;
    PostToUiThread postToUiThread_;
};

}  // namespace torvane
