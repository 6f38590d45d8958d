#pragma once
#include <functional>
#include <memory>

// The few thread primitives the program uses: a lock, a one-time signal and a
// thread nobody joins. The program we ship is built without the C++ library's
// thread support, whose run-time (winpthread) would make up a tenth of the
// setup, so the library's std::mutex and std::thread are not there; the
// Win32 build implements these with the system's own objects
// (platform/win32/Win32Threads.cpp), the native build with the library's
// (platform/std/StdThreads.cpp).
// Failures: Mutex, Signal and StartDetachedThread raise std::bad_alloc when
// memory runs out; StartDetachedThread returns false when the system refuses
// a thread.
namespace torvane::platform {

// A lock for data that threads share; use it with std::lock_guard.
class Mutex {
public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock();
    void unlock();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Set once by one thread, waited for by others; stays set.
class Signal {
public:
    Signal();
    ~Signal();
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void Set();
    // Returns at once when the signal is set, else when it is.
    void Wait();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Runs `body` on a thread of its own that nobody joins. False when the system
// refuses a thread; `body` is then destroyed unrun. `body` must catch its own
// failures: one that escapes it ends the program, as it would from a
// std::thread.
bool StartDetachedThread(std::function<void()> body);

}  // namespace torvane::platform
