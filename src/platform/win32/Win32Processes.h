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
// Start with `asUser`: when this process runs elevated (a split token whose
// user also has a limited one), the program is started, in this order:
//  1. with a copy of the token of the shell's process (the signed-in user's
//     Explorer) through CreateProcessWithTokenW: the exact program, its
//     command line and show mode, and a start that is known to have worked;
//  2. else handed to that shell (ShellExecuteAsShellUser), which starts it
//     as the user where the token cannot be had (Explorer's process closed
//     to this one), but cannot tell whether the program then started (so a
//     program that is not there is not handed over);
//  3. else with the limited token linked to this one, which Windows usually
//     refuses (see LinkedUserToken).
// When none works it is not started at all, never with this program's
// rights: WouldBeElevated, and the caller says so.
//
// Open (the shell's Open, Win32Shell) runs a ShellExecuteA of its own when
// not asked `asUser` or not elevated; elevated, only the hand-off to the
// shell opens a page or a mail as the user (an address needs the user's
// shell and its associations, which a token alone does not give), else
// WouldBeElevated. The steps are virtual so that the tests can watch or
// replace each one.
class Win32Processes : public Processes {
public:
    StartResult Start(const std::string& application, const std::string& commandLine, ShowMode show,
                      bool asUser) override;
    std::string OwnExecutablePath() override;
    void EndProcess(int exitCode) override;
    StartResult Open(const std::string& what, bool asUser);

    // Whether this process's token is elevated above a limited one of the
    // same user (TokenElevationTypeFull); false where that cannot be read.
    virtual bool RunningElevated();
    // The limited token linked to this elevated one, as a primary token;
    // empty when there is none or it cannot be had (Windows gives it only
    // to a caller with the right to act as part of the system).
    virtual UniqueKernelHandle LinkedUserToken();
    // A primary token duplicated from the process that owns the shell window;
    // empty when there is no shell window or any step fails.
    virtual UniqueKernelHandle ShellUserToken();
    // CreateProcessWithTokenW, found at run time in advapi32.
    virtual bool StartWithToken(HANDLE token, const std::string& application,
                                const std::string& commandLine, ShowMode show);
    virtual bool StartAsSelf(const std::string& application, const std::string& commandLine,
                             ShowMode show);
    // ShellExecuteAsShellUser: the desktop shell carries out the request.
    virtual bool HandToShell(const std::string& file, const std::string& parameters, ShowMode show);
    // ShellExecuteA with this program's rights: whether the system took it.
    virtual bool OpenAsSelf(const std::string& what);
};

}  // namespace torvane::platform::win32
