#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/Processes.h"

namespace torvane::testing {

// What EndProcess throws in the tests, so that no code after the call runs,
// as none would after a real exit. It is an EAbort, which the top-level
// handler drops silently: a click that ends the program shows no error
// panel. Code that catches torvane::Exception around the call would swallow
// it; tests check `exitCode` rather than what follows.
class ProcessEnded : public EAbort {
public:
    explicit ProcessEnded(int code) : exitCode(code) {}
    int exitCode;
};

// A program Start was asked to run.
struct StartedProgram {
    std::string application, commandLine;
    platform::ShowMode show = platform::ShowMode::Normal;
    bool asUser = false;
};

// Records the programs started (also those refused with `refuse`, when
// Start returns false) and the exit code EndProcess was given.
class RecordingProcesses : public platform::Processes {
public:
    platform::StartResult Start(const std::string& application, const std::string& commandLine,
                                platform::ShowMode show, bool asUser) override {
        started.push_back({application, commandLine, show, asUser});
        if (refuseElevated && asUser) return platform::StartResult::WouldBeElevated;
        return refuse ? platform::StartResult::Failed : platform::StartResult::Started;
    }
    std::string OwnExecutablePath() override { return ownPath; }
    [[noreturn]] void EndProcess(int code) override {
        exitCode = code;
        throw ProcessEnded(code);
    }

    std::vector<StartedProgram> started;
    bool refuse = false;
    // As an elevated setup that finds no way to start a program as the user.
    bool refuseElevated = false;
    std::string ownPath = "C:\\users\\test\\Downloads\\Install_Torvane.exe";
    std::optional<int> exitCode;
};

}  // namespace torvane::testing
