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

    virtual platform::Platform& Platform() const = 0;
    virtual ui::Application& App() const = 0;
};

}  // namespace torvane
