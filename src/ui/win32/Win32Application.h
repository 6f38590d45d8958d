#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "base/win32/WinHeaders.h"
#include "platform/Threads.h"
#include "ui/Application.h"

namespace torvane::ui::win32 {

// The Win32 side of ui::Application: the message loop, the message box, the
// title and the hand-over from worker threads.
//
// Every message, in Run() and in ProcessMessages() alike, takes this path:
//   1. Alt+letter (WM_SYSCHAR) aimed at the main window or one of its
//      children is first offered to the accelerator handler (the button
//      bar); if it takes the letter the message is swallowed.
//   2. Otherwise it is aimed at the main window itself and given to
//      IsDialogMessage, which looks for a control whose caption marks that
//      letter (check boxes, radio buttons) anywhere in the window; when none
//      does, the main window receives it and ignores it: no beep, no menu.
//   3. Other messages for the main window's tree go through IsDialogMessage
//      (Tab between controls), the rest through Translate/DispatchMessage.
class Win32ApplicationHost : public ApplicationHost {
public:
    using AcceleratorHandler = std::function<bool(char letter)>;

    Win32ApplicationHost();
    ~Win32ApplicationHost() override;
    Win32ApplicationHost(const Win32ApplicationHost&) = delete;
    Win32ApplicationHost& operator=(const Win32ApplicationHost&) = delete;

    // Binds the application whose Dispatch runs the accelerator handler and
    // the handed-over tasks. Call once, on the user-interface thread, before
    // anything is posted.
    void Attach(Application& app);

    // ApplicationHost
    void SetTitle(const std::string& title) override;
    void ProcessMessages() override;
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void PostToUiThread(std::function<void()> task) override;

    // The message loop: runs until WM_QUIT, returns its exit code.
    int Run();
    // True once WM_QUIT was taken from the queue (by Run or ProcessMessages).
    bool QuitReceived() const { return quit_; }

    const std::string& Title() const { return title_; }

    // The main window: owner of message boxes, target of the keyboard
    // handling above. The form's peer sets and clears it.
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    HWND MainWindow() const { return mainWindow_; }

    // Alt+letter handler; returns whether it used the letter. The letter is
    // as typed (either case).
    void SetAcceleratorHandler(AcceleratorHandler handler) { accelerator_ = std::move(handler); }

private:
    class TaskWindow;

    // Runs the tasks handed over so far, each through Dispatch (the hidden
    // window does it when woken).
    void RunPostedTasks();
    void Handle(MSG& message);
    bool InMainWindowTree(HWND window) const;

    Application* app_ = nullptr;
    std::unique_ptr<TaskWindow> tasks_;
    platform::Mutex mutex_;
    std::deque<std::function<void()>> queue_;
    std::string title_;
    HWND mainWindow_ = nullptr;
    AcceleratorHandler accelerator_;
    bool quit_ = false;
    int exitCode_ = 0;
};

}  // namespace torvane::ui::win32
