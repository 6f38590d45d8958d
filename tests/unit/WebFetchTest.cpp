#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fakes/FakeHttp.h"
#include "fakes/HeadlessHost.h"
#include "lib/LIB_GetMemStreamFromTheWeb.h"
#include "ui/Application.h"

namespace torvane {
namespace {

using testing::FakeHttp;
using testing::FakeResponse;

std::string Body(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i * 7 % 26);
    return body;
}

std::string Text(const MemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// What OnDone saw, recorded on the user-interface (test) thread.
struct Delivery {
    std::string url, body;
    std::size_t position = 0;
    int handlesOpen = 0;
    std::thread::id thread;
};

// A headless application whose message pump the test turns by hand.
class FetchTest : public ::testing::Test {
protected:
    void Start(const std::string& url, bool withHandler = true) {
        tLibGetMemStreamFromTheWeb::DoneHandler onDone;
        if (withHandler) {
            onDone = [this](tLibGetMemStreamFromTheWeb& sender) {
                deliveries.push_back({sender.URL, Text(*sender.Stream), sender.Stream->Position(),
                                      http->Locked([&] { return http->openHandles; }),
                                      std::this_thread::get_id()});
            };
        }
        auto handover = app->Handover();
        ASSERT_TRUE(tLibGetMemStreamFromTheWeb::Start(
            url, onDone, http,
            [handover](std::function<void()> task) { return handover->Post(std::move(task)); }));
    }

    // Pumps until `done` holds, for at most 10 s.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            app->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Every fetch holds the fake internet until it has freed itself.
    bool AllFetchesFreed() {
        return PumpUntil([&] { return http.use_count() == 1; });
    }

    testing::HeadlessHost host;
    std::unique_ptr<ui::Application> app = std::make_unique<ui::Application>(host);
    std::shared_ptr<FakeHttp> http = std::make_shared<FakeHttp>();
    std::vector<Delivery> deliveries;
};

TEST_F(FetchTest, DeliversTheWholeBodyRewoundOnTheUiThreadAfterClosingEveryHandle) {
    const std::string body = Body(3 * 4095 + 17);
    http->Respond("http://report.example/r?T=1", {"200", body});
    Start("http://report.example/r?T=1");
    ASSERT_TRUE(PumpUntil([&] { return !deliveries.empty(); }));
    ASSERT_TRUE(AllFetchesFreed());

    ASSERT_EQ(deliveries.size(), 1u);
    const Delivery& got = deliveries[0];
    EXPECT_EQ(got.url, "http://report.example/r?T=1");
    EXPECT_EQ(got.body, body);
    EXPECT_EQ(got.position, 0u);
    EXPECT_EQ(got.handlesOpen, 0) << "the URL and root handles are closed before the hand-over";
    EXPECT_EQ(got.thread, std::this_thread::get_id());
    EXPECT_EQ(http->agents, std::vector<std::string>{"InetURL:/1.0"});
    EXPECT_EQ(http->statusQueries, 1);
    // Four chunks of at most 4095 bytes, then the read that returns nothing.
    EXPECT_EQ(http->readSizes, std::vector<std::size_t>(5, 4095));
}

TEST_F(FetchTest, ReadsOneChunkAtATimeWhateverTheStatus) {
    struct Case {
        const char* status;
        std::size_t size;
        std::size_t reads;  // the last one returns nothing
    };
    for (const Case& c :
         {Case{"200", 4095, 2}, Case{"200", 4096, 3}, Case{"404", 20, 2}, Case{"500", 0, 1}}) {
        SCOPED_TRACE(std::string(c.status) + " with " + std::to_string(c.size) + " bytes");
        deliveries.clear();
        http->readSizes.clear();
        http->Respond("u", {c.status, Body(c.size)});
        Start("u");
        ASSERT_TRUE(PumpUntil([&] { return !deliveries.empty(); }));
        ASSERT_TRUE(AllFetchesFreed());
        EXPECT_EQ(deliveries[0].body, Body(c.size));
        EXPECT_EQ(http->readSizes.size(), c.reads);
    }
}

TEST_F(FetchTest, KeepsAtMostTheCapAndStopsReadingThere) {
    const std::size_t cap = tLibGetMemStreamFromTheWeb::kMaxAnswer;
    for (std::size_t size : {cap, cap + 1, 3 * cap}) {
        SCOPED_TRACE(std::to_string(size) + " bytes sent");
        deliveries.clear();
        http->readSizes.clear();
        http->Respond("big", {"200", Body(size)});
        Start("big");
        ASSERT_TRUE(PumpUntil([&] { return !deliveries.empty(); }));
        ASSERT_TRUE(AllFetchesFreed());
        EXPECT_EQ(deliveries[0].body, Body(cap));
        // No read asks beyond the cap, and none follows once it is reached.
        std::size_t asked = 0;
        for (std::size_t s : http->readSizes) asked += s;
        EXPECT_EQ(asked, cap);
        EXPECT_EQ(http->readSizes.back(), cap % 4095);
    }
}

TEST_F(FetchTest, FailuresEndAsAnEmptyRewoundStream) {
    struct Case {
        const char* what;
        bool refuseRoot;
        bool respond;
        std::optional<std::size_t> raiseAfterReads;
    };
    const Case cases[] = {
        {"no root handle", true, true, std::nullopt},
        {"URL cannot be opened (unreachable host)", false, false, std::nullopt},
        {"a read raises after two chunks", false, true, 2},
        {"the first read raises", false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        deliveries.clear();
        http->refuseRoot = c.refuseRoot;
        http->responses.clear();
        if (c.respond) http->Respond("u", {"200", Body(10000), std::nullopt, c.raiseAfterReads});
        Start("u");
        ASSERT_TRUE(PumpUntil([&] { return !deliveries.empty(); }));
        ASSERT_TRUE(AllFetchesFreed());
        EXPECT_EQ(deliveries[0].body, "");
        EXPECT_EQ(deliveries[0].position, 0u);
        EXPECT_EQ(deliveries[0].handlesOpen, 0);
    }
}

TEST_F(FetchTest, AReadThatFailsEndsTheBodyWithWhatWasReadSoFar) {
    const std::string body = Body(10000);
    http->Respond("u", {"200", body, 1});
    Start("u");
    ASSERT_TRUE(PumpUntil([&] { return !deliveries.empty(); }));
    EXPECT_EQ(deliveries[0].body, body.substr(0, 4095));
    EXPECT_TRUE(AllFetchesFreed());
}

TEST_F(FetchTest, WithoutAHandlerTheAnswerIsFreedAndTheFetchFreesItself) {
    http->Respond("u", {"200", Body(20000)});
    Start("u", false);
    // LeakSanitizer reports the stream or the fetch if either is left over.
    EXPECT_TRUE(AllFetchesFreed());
    EXPECT_EQ(http->urls, std::vector<std::string>{"u"});
    EXPECT_EQ(host.PostedCount(), 0u);
}

TEST_F(FetchTest, SeveralFetchesRunAtOnceEachWithItsOwnHandlesAndBody) {
    const int kFetches = 4;
    http->concurrentOpens = kFetches;
    for (int i = 0; i < kFetches; ++i)
        http->Respond("u" + std::to_string(i), {"200", Body(5000 + i * 3000)});
    for (int i = 0; i < kFetches; ++i) Start("u" + std::to_string(i));
    ASSERT_TRUE(PumpUntil([&] { return deliveries.size() == kFetches; }));
    ASSERT_TRUE(AllFetchesFreed());
    EXPECT_FALSE(http->timedOut) << "the fetches ran one after the other";
    EXPECT_EQ(http->agents.size(), static_cast<std::size_t>(kFetches));
    for (const Delivery& got : deliveries) {
        const int i = std::stoi(got.url.substr(1));
        EXPECT_EQ(got.body, Body(5000 + i * 3000)) << got.url;
    }
    EXPECT_EQ(http->openHandles, 0);
}

TEST_F(FetchTest, AFetchEndingAfterTheApplicationIsGoneDropsItsAnswerAndStillFreesItself) {
    // Held in OpenUrl until a second open arrives, which the test makes once
    // the application is gone, as when the user ends the program mid-fetch.
    http->concurrentOpens = 2;
    http->Respond("u", {"200", Body(9000)});
    Start("u");
    app.reset();
    http->Open("test")->OpenUrl("u");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (http.use_count() > 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(http.use_count(), 1) << "the fetch waits forever for a hand-over that never runs";
    EXPECT_TRUE(deliveries.empty());
    EXPECT_EQ(host.PostedCount(), 0u);
}

}  // namespace
}  // namespace torvane
