#pragma once
#include <string>

namespace torvane::platform::win32 {

// Hands a ShellExecute to the desktop's shell (Explorer), which carries it
// out in its own process with the signed-in user's rights, whatever the
// rights of this one: the documented way for an elevated program to open a
// page or start a program as the user. The route to the shell's automation
// object: IShellWindows::FindWindowSW(CSIDL_DESKTOP) -> IServiceProvider ->
// IShellBrowser -> IShellView -> its background IDispatch ->
// IShellFolderViewDual -> Application -> IShellDispatch2::ShellExecute.
// `file` is a program, document or address, `parameters` its arguments
// ("" for none), `show` an SW_ value. Returns whether the shell took the
// request; false when there is no desktop shell (none running, or another
// user's) or any step fails. Whether the program then starts is not
// reported: Explorer carries the request out on its own. Needs nothing of
// the calling thread: COM is set up here for the call.
bool ShellExecuteAsShellUser(const std::string& file, const std::string& parameters, int show);

}  // namespace torvane::platform::win32
