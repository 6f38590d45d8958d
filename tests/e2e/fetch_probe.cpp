// Runs the setup's web fetch (tLibGetMemStreamFromTheWeb over WinInet) for
// every URL on the command line, all at once, and prints what each OnDone
// received, in the order given:
//   <url> <TAB> <body size> <TAB> <body, CR and LF as spaces>
// The hand-over is a plain thread-message queue: the fetches post their
// completion to this thread and wait for it to run, as in the setup.
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "base/win32/WinHeaders.h"
#include "lib/LIB_GetMemStreamFromTheWeb.h"
#include "platform/Threads.h"
#include "platform/win32/DllHardening.h"
#include "platform/win32/Win32Http.h"

namespace {

constexpr UINT kRunTasks = WM_APP + 7;

class TaskQueue {
public:
    explicit TaskQueue(DWORD thread) : thread_(thread) {}
    bool Post(std::function<void()> task) {
        {
            std::lock_guard<torvane::platform::Mutex> lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        return ::PostThreadMessageA(thread_, kRunTasks, 0, 0) != FALSE;
    }
    void RunAll() {
        std::deque<std::function<void()>> ready;
        {
            std::lock_guard<torvane::platform::Mutex> lock(mutex_);
            ready.swap(tasks_);
        }
        for (auto& task : ready) task();
    }

private:
    DWORD thread_;
    torvane::platform::Mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace torvane;
    platform::win32::HardenDllSearch();
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // makes this thread's queue
    auto queue = std::make_shared<TaskQueue>(::GetCurrentThreadId());
    auto http = std::make_shared<platform::win32::Win32Http>();
    std::map<int, std::string> lines;
    const int count = argc - 1;
    for (int i = 1; i < argc; ++i) {
        const bool started = tLibGetMemStreamFromTheWeb::Start(
            argv[i],
            [&lines, i](tLibGetMemStreamFromTheWeb& sender) {
                std::string body(sender.Stream->Bytes().begin(), sender.Stream->Bytes().end());
                for (char& c : body)
                    if (c == '\r' || c == '\n') c = ' ';
                lines[i] = sender.URL + "\t" + std::to_string(body.size()) + "\t" + body;
            },
            http, [queue](std::function<void()> task) { return queue->Post(std::move(task)); });
        if (!started) return 2;
    }
    while (static_cast<int>(lines.size()) < count && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == kRunTasks) queue->RunAll();
    }
    for (const auto& [index, line] : lines) std::printf("%s\n", line.c_str());
    std::printf("done %d\n", count);
    return 0;
}
