#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "platform/Threads.h"

namespace torvane::ui {

// What the application object needs from the system it runs on: the Win32
// message loop in the real program, a scripted stand-in in the unit tests.
class ApplicationHost {
public:
    virtual ~ApplicationHost() = default;
    // The name shown on the task bar.
    virtual void SetTitle(const std::string& title) = 0;
    // Runs the window messages that are pending now, then returns.
    virtual void ProcessMessages() = 0;
    // A plain modal message box with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A plain modal question with the buttons Yes and No, No being the
    // default (Enter, or closing the box, answers No). True for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Runs `task` on the user-interface thread soon. Safe to call from any thread.
    virtual void PostToUiThread(std::function<void()> task) = 0;
};

// The hand-over from worker threads as a worker holds it. It outlives the
// application: once the application is gone, Post drops the task (destroys
// it without running it) and returns false, so a worker that finishes while
// the program ends never reaches a message loop that is no more.
class UiThreadHandover {
public:
    explicit UiThreadHandover(ApplicationHost& host) : host_(&host) {}
    // Runs `task` on the user-interface thread soon. Safe from any thread.
    bool Post(std::function<void()> task);
    // Called by the application as it goes.
    void Close();

private:
    platform::Mutex mutex_;
    ApplicationHost* host_;
};

// The application object: title, message pump, message box, the hand-over
// from worker threads and the one top-level failure handler.
class Application {
public:
    using ExceptionHandler = std::function<void(const std::exception&)>;

    explicit Application(ApplicationHost& host)
        : host_(host), handover_(std::make_shared<UiThreadHandover>(host)) {}
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    void ProcessMessages() { host_.ProcessMessages(); }
    void ShowMessage(const std::string& text) { host_.ShowMessage(text); }
    bool AskYesNo(const std::string& text) { return host_.AskYesNo(text); }
    void PostToUiThread(std::function<void()> task) { handover_->Post(std::move(task)); }
    // The hand-over for a worker thread to keep (see UiThreadHandover).
    std::shared_ptr<UiThreadHandover> Handover() const { return handover_; }

    void SetExceptionHandler(ExceptionHandler handler) { handler_ = std::move(handler); }

    // Runs an event handler the way the message loop does: a failure that
    // escapes it goes to HandleException instead of further up. Every window
    // procedure, timer callback and hand-over runs its work through here.
    void Dispatch(const std::function<void()>& handler) noexcept;

    // The top-level handler: silent aborts are dropped, everything else goes
    // to the installed handler. Never throws.
    void HandleException(std::exception_ptr failure) noexcept;

private:
    ApplicationHost& host_;
    std::shared_ptr<UiThreadHandover> handover_;
    std::string title_;
    ExceptionHandler handler_;
};

}  // namespace torvane::ui
