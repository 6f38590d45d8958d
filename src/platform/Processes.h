#pragma once
#include <string>

namespace torvane::platform {

enum class ShowMode { Normal, Minimized, Maximized };

// What came of a start: the program runs, it could not be started, or it
// was not started because it could only have run with this program's
// administrator rights.
enum class StartResult { Started, Failed, WouldBeElevated };

// Failures are returned: a program that does not start is Start's false, which
// the callers treat as an expected outcome. Never throws.
class Processes {
public:
    virtual ~Processes() = default;
    // Starts a program without waiting for it. `application` is its full
    // path (never searched for); `commandLine` is the whole command line,
    // the program's path quoted. With `asUser`, a setup running elevated
    // starts the program with the rights of the signed-in user instead of
    // its own, and does not start it at all where the system offers no way
    // to (WouldBeElevated): never elevated by accident.
    virtual StartResult Start(const std::string& application, const std::string& commandLine,
                              ShowMode show, bool asUser) = 0;
    // Full path of the running program.
    virtual std::string OwnExecutablePath() = 0;
    // Ends this process at once with the given exit code.
    virtual void EndProcess(int exitCode) = 0;
};

}  // namespace torvane::platform
