// Any command line, for the setup and for the uninstaller: splitting and the
// switches must not crash; an accepted /cleanup request must survive the
// round trip through the command line that starts the copy.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"
#include "base/SplitCommandLine.h"
#include "uninstall/CommandLine.h"
#include "uninstall/UninstallList.h"

using namespace torvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> params = SplitCommandLine(line);
    if (const auto folder = AutoUpdateFolder(params, NoLeadBytes)) {
        if (folder->empty() || folder->back() != '\\') std::abort();
    }
    uninstall::Invocation invocation;
    try {
        invocation = uninstall::ParseInvocation(params);
    } catch (const uninstall::ListError&) {
        return 0;
    }
    if (invocation.mode != uninstall::Mode::Cleanup) return 0;
    const std::string again =
        uninstall::CleanupCommandLine("C:\\Temp\\copy.exe", invocation.cleanup);
    const uninstall::Invocation back = uninstall::ParseInvocation(SplitCommandLine(again));
    if (back.mode != uninstall::Mode::Cleanup ||
        back.cleanup.original != invocation.cleanup.original ||
        back.cleanup.processId != invocation.cleanup.processId ||
        back.cleanup.folders != invocation.cleanup.folders)
        std::abort();
    return 0;
}
