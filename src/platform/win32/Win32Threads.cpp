// The thread primitives over the system's objects: a critical section, a
// manual-reset event and a thread of CreateThread.
#include <exception>
#include <new>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "platform/Threads.h"

namespace torvane::platform {

struct Mutex::State {
    State() { ::InitializeCriticalSection(&section); }
    ~State() { ::DeleteCriticalSection(&section); }
    CRITICAL_SECTION section;
};

Mutex::Mutex() : state_(std::make_unique<State>()) {}
Mutex::~Mutex() = default;
void Mutex::lock() { ::EnterCriticalSection(&state_->section); }
void Mutex::unlock() { ::LeaveCriticalSection(&state_->section); }

struct Signal::State {
    State() : event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        if (!event) throw std::bad_alloc();  // the system is out of handles
    }
    win32::UniqueKernelHandle event;
};

Signal::Signal() : state_(std::make_unique<State>()) {}
Signal::~Signal() = default;
void Signal::Set() { ::SetEvent(state_->event.Get()); }
void Signal::Wait() { ::WaitForSingleObject(state_->event.Get(), INFINITE); }

namespace {

DWORD WINAPI RunBody(void* parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    try {
        (*body)();
    } catch (...) {
        std::terminate();
    }
    return 0;
}

}  // namespace

bool StartDetachedThread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    win32::UniqueKernelHandle thread(::CreateThread(nullptr, 0, RunBody, owned.get(), 0, nullptr));
    if (!thread) return false;
    owned.release();  // the thread frees it
    return true;
}

}  // namespace torvane::platform
