#pragma once
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ui/Application.h"

namespace torvane::testing {

// The application host of the unit tests: no windows. Message boxes are
// recorded instead of shown, posted tasks run at the next message pump, and
// a test can hook each pump (to move a fake clock or to act "during" a slide).
// Posting is safe from any thread (the web fetch's workers post); the rest
// belongs to the test's own thread.
class HeadlessHost : public ui::ApplicationHost {
public:
    void SetTitle(const std::string& text) override { title = text; }
    void ProcessMessages() override {
        ++pumps;
        while (std::function<void()> task = TakePosted()) task();
        if (onPump) onPump();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    // Recorded apart from the OK messages; answered from `answers` in turn,
    // then with the default button, No.
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void PostToUiThread(std::function<void()> task) override {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back(std::move(task));
    }
    std::size_t PostedCount() {
        std::lock_guard<std::mutex> lock(mutex_);
        return posted_.size();
    }

    std::string title;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::function<void()> onPump;
    int pumps = 0;

private:
    std::function<void()> TakePosted() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (posted_.empty()) return {};
        std::function<void()> task = std::move(posted_.front());
        posted_.pop_front();
        return task;
    }

    std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace torvane::testing
