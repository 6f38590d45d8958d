// Program entry of Install_Torvane.exe.
#include <exception>
#include <string>

#include "app/Appl_Globals.h"
#include "app/CommandLine.h"
#include "app/FormMain.h"
#include "base/SplitCommandLine.h"
#include "base/win32/WinHeaders.h"
#include "panels/WizardPanels.h"
#include "payload/SeedDataFile.h"
#include "platform/Platform.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/win32/Win32Application.h"
#include "ui/win32/Win32PeerFactory.h"

namespace {

constexpr const char* kTitle = "Install Torvane P2P";

int RunSetup() {
    using namespace torvane;
    // COM on this, the only UI thread, before any window and until everything
    // else is gone: the shell link object needs it.
    platform::win32::ComApartment com;
    ui::win32::Win32ApplicationHost host;
    ui::Application app(host);
    host.Attach(app);
    app.SetTitle(kTitle);
    SourceCode = kBuildSourceCode;

    platform::win32::Win32Platform system([&host] { return host.MainWindow(); });
    platform::Platform& platform = system.Get();
    std::vector<std::string> params = SplitCommandLine(::GetCommandLineA());

    // Declared before the form: the peers borrow its fonts and icons.
    ui::win32::Win32PeerFactory factory(app, host);
    // The program is put together here: its constructor builds the wizard's
    // panels and shows the welcome panel, headless.
    TFormMain form(app, platform, WizardPanels(), std::move(params));
    host.SetAcceleratorHandler(
        [](char letter) { return FormMain && FormMain->PnlButtons.HandleAccelerator(letter); });

    form.SetPeerFactory(&factory);
    form.Realize();
    form.Show();
    const int quitCode = host.Run();
    return quitCode != 0 ? quitCode : form.ExitCode();
}

void ShowLastResort(const char* text) {
    ::MessageBoxA(nullptr, text, kTitle, MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a DLL: never from the program's folder.
    torvane::platform::win32::HardenDllSearch();
    // Failures inside the message loop reach the form's handler; this catches
    // only what happens before the loop runs (or a broken loop).
    try {
        return RunSetup();
    } catch (const std::exception& e) {
        ShowLastResort(e.what());
    } catch (...) {
        ShowLastResort("Unknown failure");
    }
    return 1;
}
