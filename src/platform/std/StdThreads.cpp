// The thread primitives over the C++ library's, for the native build (unit
// tests and tools).
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/Threads.h"

namespace torvane::platform {

struct Mutex::State {
    std::mutex mutex;
};

Mutex::Mutex() : state_(std::make_unique<State>()) {}
Mutex::~Mutex() = default;
void Mutex::lock() { state_->mutex.lock(); }
void Mutex::unlock() { state_->mutex.unlock(); }

struct Signal::State {
    std::mutex mutex;
    std::condition_variable wake;
    bool set = false;
};

Signal::Signal() : state_(std::make_unique<State>()) {}
Signal::~Signal() = default;

void Signal::Set() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->set = true;
    }
    state_->wake.notify_all();
}

void Signal::Wait() {
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->wake.wait(lock, [this] { return state_->set; });
}

bool StartDetachedThread(std::function<void()> body) {
    try {
        std::thread([body = std::move(body)]() noexcept { body(); }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

}  // namespace torvane::platform
