#pragma once
#include <string>

namespace torvane {

namespace platform {
struct Platform;
}
namespace ui {
class Application;
}

// What a panel sees of the wizard around it: the way to other panels, the
// program's end, the operating system and the application (message boxes,
// message pumps). The main window is the one in the program; a unit test
// hands a panel a fake one and checks where the panel goes.
class Navigator {
public:
    virtual ~Navigator() = default;

    // Shows the panel of that name (letter case ignored), with a slide when `animate`.
    virtual void ShowPanel(const std::string& name, bool animate) = 0;
    // True while a slide runs: the bar-button handlers do nothing then.
    virtual bool IsSliding() const = 0;
    // Ends the program: closes the main window.
    virtual void Close() = 0;
    // Work that must not be cut off (the sequences, the disk search) runs
    // between these two: the window ignores close requests from outside
    // meanwhile. Use WorkInProgress rather than calling them.
    virtual void BeginWork() = 0;
    virtual void EndWork() = 0;

    virtual platform::Platform& Platform() const = 0;
    virtual ui::Application& App() const = 0;
};

// Marks the work of its lifetime as in progress (Navigator::BeginWork); ends
// the mark also when the work fails.
class WorkInProgress {
public:
    explicit WorkInProgress(Navigator& navigator) : navigator_(navigator) {
        navigator_.BeginWork();
    }
    ~WorkInProgress() { navigator_.EndWork(); }
    WorkInProgress(const WorkInProgress&) = delete;
    WorkInProgress& operator=(const WorkInProgress&) = delete;

private:
    Navigator& navigator_;
};

}  // namespace torvane
