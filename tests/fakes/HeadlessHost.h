#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Application.h"

namespace torvane::testing {

// The application host of the unit tests: no windows. Message boxes are
// recorded instead of shown, posted tasks run at the next message pump, and
// a test can hook each pump (to move a fake clock or to act "during" a slide).
class HeadlessHost : public ui::ApplicationHost {
public:
    void SetTitle(const std::string& text) override { title = text; }
    void ProcessMessages() override {
        ++pumps;
        while (!posted.empty()) {
            std::function<void()> task = std::move(posted.front());
            posted.pop_front();
            task();
        }
        if (onPump) onPump();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void PostToUiThread(std::function<void()> task) override { posted.push_back(std::move(task)); }

    std::string title;
    std::vector<std::string> messages;
    std::deque<std::function<void()>> posted;
    std::function<void()> onPump;
    int pumps = 0;
};

}  // namespace torvane::testing
