// Starting programs: the choice between the shell user's token and a plain
// start, show modes, paths with spaces (the "C:\Program.exe" decoy must never
// run), opening a program through the shell. start_probe.exe (run.sh puts it
// beside this program) records how each copy of it was started.
#include <gtest/gtest.h>

#include <optional>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Shell.h"

using namespace torvane;
using platform::ShowMode;
using platform::StartResult;
using platform::win32::UniqueKernelHandle;
using platform::win32::Win32Processes;

namespace {

std::string OwnFolder() {
    char path[MAX_PATH];
    const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\'));
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What a copy of start_probe.exe wrote about its start.
struct ProbeRun {
    std::string commandLine;
    int show = -2;
};

// Waits up to `limitMs` for <program>.ran to be complete (two lines).
std::optional<ProbeRun> WaitForRun(const std::string& program, unsigned limitMs = 10000) {
    const std::string marker = program + ".ran";
    for (const ULONGLONG end = ::GetTickCount64() + limitMs; ::GetTickCount64() < end;
         ::Sleep(20)) {
        FILE* in = std::fopen(marker.c_str(), "r");
        if (!in) continue;
        char line[1024] = {};
        int show = -2;
        const bool complete =
            std::fgets(line, sizeof line, in) && std::fscanf(in, "%d", &show) == 1;
        std::fclose(in);
        if (!complete) continue;
        std::string commandLine = line;
        if (!commandLine.empty() && commandLine.back() == '\n') commandLine.pop_back();
        return ProbeRun{commandLine, show};
    }
    return std::nullopt;
}

// start_probe.exe copied to a path with spaces, and the decoy an unquoted
// start of that path would run instead; all removed again at the end.
struct SpacedProgram {
    SpacedProgram() {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        const std::string probe = OwnFolder() + "\\start_probe.exe";
        copied = ::CopyFileA(probe.c_str(), path.c_str(), FALSE) &&
                 ::CopyFileA(probe.c_str(), decoy.c_str(), FALSE);
    }
    ~SpacedProgram() {
        for (const std::string& file : {path, path + ".ran", decoy, decoy + ".ran"})
            ::DeleteFileA(file.c_str());
        ::RemoveDirectoryA(folder.c_str());
    }
    void ForgetRuns() const {
        ::DeleteFileA((path + ".ran").c_str());
        ::DeleteFileA((decoy + ".ran").c_str());
    }
    std::string Quoted() const { return "\"" + path + "\""; }

    const std::string folder = "C:\\Program Files\\Space Test";
    const std::string path = folder + "\\x.exe";
    const std::string decoy = "C:\\Program.exe";
    bool copied = false;
};

// The real steps, each replaceable by a fixed answer, and the order they
// were taken in.
class WatchedProcesses : public Win32Processes {
public:
    bool RunningElevated() override {
        steps += "elevated? ";
        return elevated ? *elevated : Win32Processes::RunningElevated();
    }
    UniqueKernelHandle ShellUserToken() override {
        steps += "token ";
        if (!shellToken) return Win32Processes::ShellUserToken();
        // Any kernel handle stands in for a token the replaced start never uses.
        return UniqueKernelHandle(*shellToken ? ::CreateEventA(nullptr, FALSE, FALSE, nullptr)
                                              : nullptr);
    }
    UniqueKernelHandle LinkedUserToken() override {
        steps += "linked ";
        if (!linkedToken) return Win32Processes::LinkedUserToken();
        return UniqueKernelHandle(*linkedToken ? ::CreateEventA(nullptr, FALSE, FALSE, nullptr)
                                               : nullptr);
    }
    bool StartWithToken(HANDLE token, const std::string& application,
                        const std::string& commandLine, ShowMode show) override {
        steps += "with-token ";
        return withToken ? *withToken
                         : Win32Processes::StartWithToken(token, application, commandLine, show);
    }
    bool StartAsSelf(const std::string& application, const std::string& commandLine,
                     ShowMode show) override {
        steps += "as-self ";
        return asSelf ? *asSelf : Win32Processes::StartAsSelf(application, commandLine, show);
    }
    bool HandToShell(const std::string& file, const std::string& parameters,
                     ShowMode show) override {
        steps += "hand-off ";
        handedOff = file + "|" + parameters;
        return handOff ? *handOff : Win32Processes::HandToShell(file, parameters, show);
    }
    bool OpenAsSelf(const std::string& what) override {
        steps += "open-as-self ";
        return asSelf ? *asSelf : Win32Processes::OpenAsSelf(what);
    }

    std::string steps, handedOff;
    std::optional<bool> elevated, shellToken, linkedToken, withToken, handOff, asSelf;
};

using SetShellWindowFunction = BOOL WINAPI(HWND);

}  // namespace

// Elevated, a program asked to run as the user gets the shell's token, else
// is handed to the shell, else gets the limited token linked to the setup's,
// else it is not started at all: never with the setup's own rights. A page or
// a mail asked to open as the user is only handed to the shell.
TEST(Processes, StartChoosesTheUsersTokenWhenElevatedAndNeverStartsElevated) {
    struct Case {
        bool open, asUser, elevated, shellToken, linkedToken, withToken, handOff, asSelf;
        const char* steps;
        StartResult result;
    };
    const Case cases[] = {
        // not asked: elevation is not even looked at
        {false, false, true, true, true, true, true, true, "as-self ", StartResult::Started},
        {false, false, true, true, true, true, true, false, "as-self ", StartResult::Failed},
        {false, true, false, true, true, true, true, true, "elevated? as-self ",
         StartResult::Started},
        {false, true, true, true, true, true, true, false, "elevated? token with-token ",
         StartResult::Started},
        // no shell token: the shell takes the start
        {false, true, true, false, true, true, true, true, "elevated? token hand-off ",
         StartResult::Started},
        // nor the shell: the linked token
        {false, true, true, false, true, true, false, true,
         "elevated? token hand-off linked with-token ", StartResult::Started},
        {false, true, true, true, true, false, false, true,
         "elevated? token with-token hand-off linked with-token ", StartResult::WouldBeElevated},
        {false, true, true, false, false, true, false, true, "elevated? token hand-off linked ",
         StartResult::WouldBeElevated},
        // opening: the error panel's restart (not as the user), a page or a mail
        {true, false, true, true, true, true, true, true, "open-as-self ", StartResult::Started},
        {true, true, false, true, true, true, true, false, "elevated? open-as-self ",
         StartResult::Failed},
        {true, true, true, true, true, true, true, true, "elevated? hand-off ",
         StartResult::Started},
        {true, true, true, true, true, true, false, true, "elevated? hand-off ",
         StartResult::WouldBeElevated},
    };
    const std::string self = Win32Processes().OwnExecutablePath();
    for (const Case& c : cases) {
        WatchedProcesses processes;
        processes.elevated = c.elevated;
        processes.shellToken = c.shellToken;
        processes.linkedToken = c.linkedToken;
        processes.withToken = c.withToken;
        processes.handOff = c.handOff;
        processes.asSelf = c.asSelf;
        // The shell gets the program (one that exists: a missing one is not
        // handed over) and its parameters apart, blanks kept.
        const StartResult result =
            c.open ? processes.Open("mailto:a@b.example", c.asUser)
                   : processes.Start(self, "\"" + self + "\" /a  b", ShowMode::Normal, c.asUser);
        EXPECT_EQ(processes.steps, std::string(c.steps));
        EXPECT_EQ(static_cast<int>(result), static_cast<int>(c.result)) << c.steps;
        const bool handed = std::string(c.steps).find("hand-off") != std::string::npos;
        EXPECT_EQ(processes.handedOff, !handed  ? ""
                                       : c.open ? "mailto:a@b.example|"
                                                : self + "|/a  b")
            << c.steps;
    }
}

TEST(Processes, PathWithSpacesStartsTheProgramNeverTheDecoy) {
    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    Win32Processes processes;
    // Quoted, as the callers write it, and unquoted: the application's path
    // is given apart, so the command line is never searched for a program.
    for (const std::string& commandLine :
         {program.Quoted() + " /s \"two words\"", program.path + " /s"}) {
        program.ForgetRuns();
        EXPECT_TRUE(processes.Start(program.path, commandLine, ShowMode::Normal, false) ==
                    StartResult::Started);
        const std::optional<ProbeRun> run = WaitForRun(program.path);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->commandLine, commandLine);
        EXPECT_EQ(run->show, SW_SHOWNORMAL);
        EXPECT_TRUE(!Exists(program.decoy + ".ran"));
    }

    // The decoy works: an unquoted line without an application name is read
    // as "C:\Program.exe" with arguments, which is what Start must avoid.
    std::string unquoted = program.path + " /s";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(::CreateProcessA(nullptr, unquoted.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info));
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    EXPECT_TRUE(WaitForRun(program.decoy).has_value());
}

TEST(Processes, ShowModesReachTheStartedProgram) {
    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    Win32Processes processes;
    const std::pair<ShowMode, int> modes[] = {
        {ShowMode::Normal, SW_SHOWNORMAL},
        {ShowMode::Minimized, SW_SHOWMINNOACTIVE},
        {ShowMode::Maximized, SW_SHOWMAXIMIZED},
    };
    for (const auto& [mode, expected] : modes) {
        program.ForgetRuns();
        EXPECT_TRUE(processes.Start(program.path, program.Quoted(), mode, false) ==
                    StartResult::Started);
        const std::optional<ProbeRun> run = WaitForRun(program.path);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->show, expected);
    }
}

TEST(Processes, MissingProgramIsReportedAndNothingElseRuns) {
    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    Win32Processes processes;
    const std::string missing = program.folder + "\\missing.exe";
    EXPECT_TRUE(processes.Start(missing, "\"" + missing + "\"", ShowMode::Normal, true) !=
                StartResult::Started);
    ::Sleep(300);
    EXPECT_TRUE(!Exists(program.decoy + ".ran"));
}

TEST(Processes, StartAsUserWithoutAShellWindowIsHandedToTheShellElseTakesTheLinkedToken) {
    // Wine 8 gives every process a full administrator token, which reads as
    // elevated (TokenElevationTypeFull), with a limited one linked to it, and
    // runs no shell window of its own (GetShellWindow gives nothing), but its
    // desktop answers the shell's automation route: the real steps hand the
    // start to it, and without it take the linked token. (Wine runs either
    // with the caller's rights all the same.) Both keep the command line,
    // two blanks and all, and the show mode.
    ASSERT_TRUE(::GetShellWindow() == nullptr);
    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    const std::string commandLine = program.Quoted() + " /user \"C:\\New  Place\\\"";
    for (const bool shellTakesIt : {true, false}) {
        program.ForgetRuns();
        WatchedProcesses processes;
        EXPECT_TRUE(processes.RunningElevated());
        EXPECT_TRUE(!processes.ShellUserToken());
        processes.steps.clear();
        if (!shellTakesIt) processes.handOff = false;
        EXPECT_TRUE(processes.Start(program.path, commandLine, ShowMode::Minimized, true) ==
                    StartResult::Started);
        EXPECT_EQ(processes.steps, std::string(shellTakesIt ? "elevated? token hand-off "
                                                            : "elevated? token hand-off linked "
                                                              "with-token "));
        const std::optional<ProbeRun> run = WaitForRun(program.path);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->commandLine, commandLine);
        EXPECT_EQ(run->show, SW_SHOWMINNOACTIVE);
    }
}

TEST(Processes, StartAsUserTakesTheShellProcesssToken) {
    // This process plays the shell: its window becomes the shell window, so
    // the token is this process's own, duplicated as a primary token. Wine's
    // CreateProcessWithTokenW starts the program with the caller's rights.
    auto* setShellWindow = reinterpret_cast<SetShellWindowFunction*>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetShellWindow")));
    ASSERT_TRUE(setShellWindow != nullptr);
    const platform::win32::UniqueWindow shellWindow(::CreateWindowExA(
        0, "STATIC", "shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(shellWindow);
    ASSERT_TRUE(setShellWindow(shellWindow.Get()));
    ASSERT_TRUE(::GetShellWindow() == shellWindow.Get());

    WatchedProcesses processes;
    const UniqueKernelHandle token = processes.ShellUserToken();
    ASSERT_TRUE(token);
    TOKEN_TYPE type{};
    DWORD size = 0;
    EXPECT_TRUE(::GetTokenInformation(token.Get(), TokenType, &type, sizeof type, &size));
    EXPECT_EQ(static_cast<int>(type), static_cast<int>(TokenPrimary));

    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    processes.elevated = true;
    processes.steps.clear();
    EXPECT_TRUE(processes.Start(program.path, program.Quoted() + " /token", ShowMode::Maximized,
                                true) == StartResult::Started);
    EXPECT_EQ(processes.steps, std::string("elevated? token with-token "));
    const std::optional<ProbeRun> run = WaitForRun(program.path);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->commandLine, program.Quoted() + " /token");
    EXPECT_EQ(run->show, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(!Exists(program.decoy + ".ran"));
}

TEST(Processes, ShellOpensAProgramByItsPathWithSpaces) {
    const SpacedProgram program;
    ASSERT_TRUE(program.copied);
    // As the user, Wine (elevated as it reads) hands the open to its shell.
    for (const bool asUser : {false, true}) {
        program.ForgetRuns();
        Win32Processes processes;
        EXPECT_TRUE(platform::win32::Win32Shell(processes).Open(program.path, asUser) ==
                    StartResult::Started);
        const std::optional<ProbeRun> run = WaitForRun(program.path);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->show, SW_SHOWNORMAL);
        EXPECT_TRUE(!Exists(program.decoy + ".ran"));
    }
}

TEST(Processes, OwnExecutablePathNamesTheRunningProgram) {
    const std::string path = Win32Processes().OwnExecutablePath();
    EXPECT_TRUE(path.size() > 3 && path[1] == ':' && path[2] == '\\');
    EXPECT_TRUE(path.size() > 22 &&
                path.compare(path.size() - 22, 22, "\\win32_layer_tests.exe") == 0);
    EXPECT_TRUE(Exists(path));
}
