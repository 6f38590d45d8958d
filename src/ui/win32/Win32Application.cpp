#include "ui/win32/Win32Application.h"

#include <mutex>

#include "base/Exceptions.h"
#include "ui/win32/Window.h"

namespace torvane::ui::win32 {

namespace {
constexpr UINT kRunTasks = WM_APP + 1;
constexpr LPARAM kAltDown = LPARAM{1} << 29;  // context code of a key message
}  // namespace

// The hidden message-only window that PostToUiThread wakes up.
class Win32ApplicationHost::TaskWindow : public Window {
public:
    static constexpr const char* kClassName = "TorvaneTasks";

    TaskWindow(Application& app, Win32ApplicationHost& host) : Window(app), host_(host) {
        RegisterClassOnce(kClassName, 0);
        Create(kClassName, 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunTasks) {
            host_.RunPostedTasks();
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

private:
    Win32ApplicationHost& host_;
};

Win32ApplicationHost::Win32ApplicationHost() = default;
Win32ApplicationHost::~Win32ApplicationHost() = default;

void Win32ApplicationHost::Attach(Application& app) {
    app_ = &app;
    tasks_ = std::make_unique<TaskWindow>(app, *this);
}

void Win32ApplicationHost::SetTitle(const std::string& title) {
    // A window with a caption shows that caption on the task bar, so the title
    // is only the caption of the message boxes.
    title_ = title;
}

bool Win32ApplicationHost::InMainWindowTree(HWND window) const {
    return mainWindow_ && window && (window == mainWindow_ || ::IsChild(mainWindow_, window));
}

void Win32ApplicationHost::Handle(MSG& message) {
    if (InMainWindowTree(message.hwnd)) {
        if (message.message == WM_SYSCHAR && (message.lParam & kAltDown)) {
            bool taken = false;
            if (accelerator_ && app_) {
                const char letter = static_cast<char>(message.wParam);
                // A handler that fails has found its button (the click
                // failed): the letter is used up either way.
                taken = true;
                app_->Dispatch([&] { taken = accelerator_(letter); });
            }
            if (taken) return;
            // The mnemonic search of IsDialogMessage starts at the window the
            // message names and walks the whole tree below the main window
            // from there; unanswered, the main window gets it and ignores it.
            if (!mainWindow_) return;  // the handler closed the window
            message.hwnd = mainWindow_;
        }
        if (mainWindow_ && ::IsDialogMessageA(mainWindow_, &message)) return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

void Win32ApplicationHost::ProcessMessages() {
    MSG message;
    while (!quit_ && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        Handle(message);
    }
}

int Win32ApplicationHost::Run() {
    MSG message;
    while (!quit_) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1)
            throw Exception("The message loop failed (error " + std::to_string(::GetLastError()) +
                            ")");
        Handle(message);
    }
    return exitCode_;
}

void Win32ApplicationHost::ShowMessage(const std::string& text) {
    HWND owner = mainWindow_ && ::IsWindowVisible(mainWindow_) ? mainWindow_ : nullptr;
    ::MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK);
}

bool Win32ApplicationHost::AskYesNo(const std::string& text) {
    HWND owner = mainWindow_ && ::IsWindowVisible(mainWindow_) ? mainWindow_ : nullptr;
    // A box closed without an answer (it has no Cancel, so Escape does
    // nothing; a failure gives 0) counts as No.
    return ::MessageBoxA(owner, text.c_str(), title_.c_str(), MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void Win32ApplicationHost::PostToUiThread(std::function<void()> task) {
    {
        std::lock_guard<platform::Mutex> lock(mutex_);
        queue_.push_back(std::move(task));
    }
    // Should the post fail (a full queue), the task waits for the next wake-up.
    if (tasks_ && tasks_->Handle()) ::PostMessageA(tasks_->Handle(), kRunTasks, 0, 0);
}

void Win32ApplicationHost::RunPostedTasks() {
    std::deque<std::function<void()>> ready;
    {
        std::lock_guard<platform::Mutex> lock(mutex_);
        ready.swap(queue_);
    }
    for (auto& task : ready) {
        // Each on its own: one failing task does not drop the ones after it.
        app_->Dispatch(task);
    }
}

}  // namespace torvane::ui::win32
