#pragma once
#include "base/win32/UniqueHandle.h"
#include "platform/Processes.h"

namespace torvane::platform::win32 {

// The SW_ value a show mode starts a program with. A minimized program does
// not take the activation from the setup's window (SW_SHOWMINNOACTIVE).
int ShowCommand(ShowMode show);

// Programs through CreateProcessA, with the application's full path as
// lpApplicationName: the system never searches for it and never reads an
// unquoted "C:\Program Files\..." as "C:\Program.exe". Handles are closed at
// once; nothing waits for the program.
//
// Start with `asUser`: when this process runs elevated, the program is started
// with a copy of the token of the shell's process (the signed-in user's
// Explorer), through CreateProcessWithTokenW. Any step of that failing, or no
// shell window, starts it as this process instead. The steps are virtual so
// that the tests can watch or replace each one.
class Win32Processes : public Processes {
public:
    bool Start(const std::string& application, const std::string& commandLine, ShowMode show,
               bool asUser) override;
    std::string OwnExecutablePath() override;
    void EndProcess(int exitCode) override;

    // Whether this process's token is elevated (TokenElevation); false
    // where that cannot be read.
    virtual bool RunningElevated();
    // A primary token duplicated from the process that owns the shell window;
    // empty when there is no shell window or any step fails.
    virtual UniqueKernelHandle ShellUserToken();
    // CreateProcessWithTokenW, found at run time in advapi32.
    virtual bool StartWithToken(HANDLE token, const std::string& application,
                                const std::string& commandLine, ShowMode show);
    virtual bool StartAsSelf(const std::string& application, const std::string& commandLine,
                             ShowMode show);
};

}  // namespace torvane::platform::win32
