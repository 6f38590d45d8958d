// The thread primitives of platform/Threads.h. The same cases run in both
// builds: natively over the C++ library's primitives, and in the Win32 layer
// tests under Wine over the system's (tests/win32/CMakeLists.txt adds this
// file there).
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/Threads.h"

namespace torvane::platform {
namespace {

TEST(Threads, ADetachedThreadRunsItsBodyAndTheSignalWakesTheWaiter) {
    auto done = std::make_shared<Signal>();
    auto ran = std::make_shared<std::atomic<int>>(0);
    ASSERT_TRUE(StartDetachedThread([done, ran] {
        ran->store(42);
        done->Set();
    }));
    done->Wait();
    EXPECT_EQ(ran->load(), 42);
    // A set signal stays set: a second wait returns at once.
    done->Wait();
}

TEST(Threads, TheBodyIsDestroyedOnceItHasRun) {
    // The token tells when its last holder lets go of it; the thread's body
    // holds one. Were the body never freed, the wait below would not return
    // and the test would fail on its time limit.
    auto gone = std::make_shared<Signal>();
    auto ran = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<int> token(new int(7), [gone](int* p) {
        delete p;
        gone->Set();
    });
    ASSERT_TRUE(StartDetachedThread([token, ran] { ran->store(*token == 7); }));
    token.reset();
    gone->Wait();
    EXPECT_TRUE(ran->load());
}

TEST(Threads, TheMutexLetsOneThreadAtATimeIn) {
    struct Shared {
        Mutex mutex;
        long counter = 0;  // not atomic: the mutex alone keeps it whole
        Signal firstDone, secondDone;
    };
    auto shared = std::make_shared<Shared>();
    constexpr long kRounds = 200000;
    auto work = [shared](Signal& done) {
        for (long i = 0; i < kRounds; ++i) {
            std::lock_guard<Mutex> lock(shared->mutex);
            shared->counter = shared->counter + 1;
        }
        done.Set();
    };
    ASSERT_TRUE(StartDetachedThread([shared, work] { work(shared->firstDone); }));
    ASSERT_TRUE(StartDetachedThread([shared, work] { work(shared->secondDone); }));
    shared->firstDone.Wait();
    shared->secondDone.Wait();
    std::lock_guard<Mutex> lock(shared->mutex);
    EXPECT_EQ(shared->counter, 2 * kRounds);
}

}  // namespace
}  // namespace torvane::platform
