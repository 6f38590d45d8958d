#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FormMain.h"
#include "fakes/DriveFileSearch.h"
#include "fakes/DriveFileSystem.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeHttp.h"
#include "fakes/FakeShell.h"
#include "fakes/HeadlessHost.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingProcesses.h"
#include "fakes/RecordingRegistry.h"
#include "fakes/TempDrives.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane::testing {

// Puts the install state and the generator back to their start values, as a
// fresh process would have them.
void ResetProgramState();

// The fakes for the whole platform, and a headless application over them:
//   - a clock that moves 5 ms at every message pump, so slides finish
//     without real waiting;
//   - drives C: and D: (fixed) and E: (removable) on temporary folders, with
//     the file system over them;
//   - the shell's special folders as Wine names them for user "test"
//     (kProgramFiles ...), all existing;
//   - recording registry and processes, counting GUIDs;
//   - a clipboard that keeps the text, and an internet in which only the
//     URLs given a response can be opened;
//   - folder listings of the same drives (current folder C:\users\test\Downloads).
struct FakePlatform {
    static constexpr const char* kProgramFiles = "C:\\Program Files";
    static constexpr const char* kLocalAppData = "C:\\users\\test\\AppData\\Local";
    static constexpr const char* kPrograms =
        "C:\\users\\test\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    static constexpr const char* kDesktop = "C:\\users\\test\\Desktop";

    FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    HeadlessHost host;
    ui::Application app{host};
    FakeClock clock;
    TempDrives drives;
    DriveFileSystem files{drives};
    FakeShell shell{files};
    RecordingRegistry registry;
    RecordingProcesses processes;
    CountingGuidSource guids;
    FakeClipboard clipboard;
    DriveFileSearch search{drives, files};
    std::shared_ptr<FakeHttp> http = std::make_shared<FakeHttp>();
    platform::Platform platform{clock,     files, drives,    shell, registry,
                                processes, guids, clipboard, http,  search};
};

// A whole headless wizard: fresh program state and the main window with all
// its panels, created with the given parameters over the fakes above.
// `prepare`, when given, runs before the main window is created, so a test
// can change the fakes its constructor already sees.
class Wizard : public FakePlatform {
public:
    explicit Wizard(std::vector<std::string> params = {},
                    const std::function<void(Wizard&)>& prepare = {});
    ~Wizard();

    TFormMain& form() { return *form_; }
    tQvButtonBar& bar() { return form_->PnlButtons; }
    std::string header() { return form_->PnlHeader.Caption(); }
    std::string activePanel();
    // Clicks the visible bar button with this caption through the top-level
    // handler, as the message loop would; fails the test when there is none.
    void click(const std::string& caption);
    // Alt+letter as the message loop hands it to the bar.
    bool alt(char letter);

private:
    std::unique_ptr<TFormMain> form_;
};

}  // namespace torvane::testing
