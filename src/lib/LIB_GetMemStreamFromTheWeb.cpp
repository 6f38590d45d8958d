#include "lib/LIB_GetMemStreamFromTheWeb.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/Threads.h"

namespace torvane {

namespace {

// Held by the posted task (and every copy of it): the last copy to go sets
// the signal. So the worker wakes whether the task ran or was dropped by a
// host that is shutting down, and never waits forever on a lost task.
class SetWhenGone {
public:
    explicit SetWhenGone(std::shared_ptr<platform::Signal> done) : done_(std::move(done)) {}
    SetWhenGone(const SetWhenGone&) = delete;
    SetWhenGone& operator=(const SetWhenGone&) = delete;
    ~SetWhenGone() { done_->Set(); }

private:
    std::shared_ptr<platform::Signal> done_;
};

}  // namespace

tLibGetMemStreamFromTheWeb::tLibGetMemStreamFromTheWeb(std::string url, DoneHandler onDone,
                                                       std::shared_ptr<platform::Http> http,
                                                       PostToUiThread postToUiThread)
    : OnDone(std::move(onDone)),
      URL(std::move(url)),
      http_(std::move(http)),
      postToUiThread_(std::move(postToUiThread)) {}

bool tLibGetMemStreamFromTheWeb::Start(std::string URL, DoneHandler OnDone,
                                       std::shared_ptr<platform::Http> http,
                                       PostToUiThread postToUiThread) {
    std::unique_ptr<tLibGetMemStreamFromTheWeb> fetch(new tLibGetMemStreamFromTheWeb(
        std::move(URL), std::move(OnDone), std::move(http), std::move(postToUiThread)));
    // The thread owns the fetch: it is freed on the worker when the thread
    // function ends, after the hand-over. Shared, because the thread's body
    // must be copyable; the worker holds the only reference.
    std::shared_ptr<tLibGetMemStreamFromTheWeb> owned(std::move(fetch));
    return platform::StartDetachedThread([owned]() noexcept { owned->Execute(); });
}

void tLibGetMemStreamFromTheWeb::Execute() noexcept {
    // Nothing may leave a thread entry; a failure here can only be a lack of
    // memory for the stream or the hand-over, and then there is nothing left
    // to hand over.
    try {
        Stream = std::make_unique<MemoryStream>();
        try {
            Fetch();
        } catch (...) {
            Stream->SetSize(0);
        }
        Stream->Seek(0);
        HandOver();
    } catch (...) {
    }
}

void tLibGetMemStreamFromTheWeb::Fetch() {
    // Scoped so that the URL handle and then the root handle are closed
    // before the hand-over, also when a read raises.
    std::unique_ptr<platform::HttpSession> session = http_->Open(kAgent);
    if (!session) return;
    std::unique_ptr<platform::HttpRequest> request = session->OpenUrl(URL);
    if (!request) return;
    request->QueryStatusCode();  // asked for, not looked at: every body is read
    std::uint8_t buffer[kChunk + 1];
    std::size_t read = 0, kept = 0;
    while (kept < kMaxAnswer && request->Read(buffer, std::min(kChunk, kMaxAnswer - kept), read) &&
           read > 0) {
        Stream->Write(buffer, read);
        kept += read;
    }
}

void tLibGetMemStreamFromTheWeb::HandOver() {
    // Set once the hand-over task is gone: run, or dropped unrun.
    auto done = std::make_shared<platform::Signal>();
    auto whenGone = std::make_shared<SetWhenGone>(done);
    postToUiThread_([this, whenGone] {
        if (OnDone)
            OnDone(*this);
        else
            Stream.reset();
    });
    whenGone.reset();
    done->Wait();
}

}  // namespace torvane
