#include "ui/Application.h"

#include <mutex>

#include "base/Exceptions.h"

namespace torvane::ui {

bool UiThreadHandover::Post(std::function<void()> task) {
    std::lock_guard<platform::Mutex> lock(mutex_);
    if (!host_) return false;
    host_->PostToUiThread(std::move(task));
    return true;
}

void UiThreadHandover::Close() {
    std::lock_guard<platform::Mutex> lock(mutex_);
    host_ = nullptr;
}

Application::~Application() { handover_->Close(); }

void Application::SetTitle(const std::string& title) {
    title_ = title;
    host_.SetTitle(title);
}

void Application::Dispatch(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

void Application::HandleException(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        // The silent kind: the code that raised it has already told the user.
    } catch (const std::exception& e) {
        if (!handler_) return;
        try {
            handler_(e);
        } catch (...) {
            // The handler itself failed; there is nothing further up to tell.
        }
    } catch (...) {
        if (!handler_) return;
        try {
            handler_(Exception("Unknown failure"));
        } catch (...) {
        }
    }
}

}  // namespace torvane::ui
