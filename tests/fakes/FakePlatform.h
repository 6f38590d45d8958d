#pragma once
#include <memory>

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

}  // namespace torvane::testing
