// Any bytes as UnInstall.dat beside an installed uninstaller: the list is
// parsed, planned, checked on the disk and carried out on an in-memory
// system. Whatever the list says, nothing outside the installation may go:
// only files directly in the installation or data folder, the Start-menu
// group and the desktop shortcut, only the product's uninstall key, and no
// file of the user's that was there before the list was written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/InstallLayout.h"
#include "fakes/FakeUninstallSystem.h"
#include "uninstall/Confinement.h"
#include "uninstall/Report.h"
#include "uninstall/Run.h"
#include "uninstall/UninstallList.h"

using namespace torvane;
using namespace torvane::uninstall;

namespace {

const std::string kInstall = "C:\\Program Files\\Torvane P2P";
const std::string kData = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
const std::string kSelf = kInstall + "\\Uninstall.Exe";

bool Allowed(const testing::FakeUninstallSystem& system, const std::string& path) {
    const std::string folder = FolderOf(path);
    return SameText(folder, kInstall) || SameText(NameOf(folder), kProductName) ||
           SameText(path, system.desktop + "\\Torvane P2P.Lnk");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    testing::FakeUninstallSystem system;
    for (const char* name :
         {"Torvane.Exe", "Uninstall.Exe", "QVInst.dat", "UnInstall.dat", "notes.DAT"})
        system.AddFile(kInstall + "\\" + name, testing::kBefore);
    for (const char* name : {"Torvane.dat", "Nodes.DAT", "part.GET"})
        system.AddFile(kData + "\\" + name);
    system.AddFile(kData + "\\old.DAT", testing::kBefore);
    system.AddFile("C:\\Windows\\System32\\config\\SAM", testing::kBefore);
    system.AddFile("C:\\Users\\me\\NTUSER.DAT", testing::kBefore);
    system.AddFile("C:\\Users\\me\\Desktop\\Other.lnk");
    system.AddFile(system.programs + "\\Torvane P2P\\Torvane P2P.lnk");
    system.AddFile(system.programs + "\\Startup\\run.lnk");
    system.AddFolder("C:\\Users\\me\\Junction");
    system.reparse.insert(LowerCase("C:\\Users\\me\\Junction"));
    system.keys = {LowerCase(std::string(layout::kUninstallKey)),
                   "software\\microsoft\\windows\\currentversion\\run"};
    const auto before = system.files;

    std::string product;
    try {
        const auto result = Uninstall(
            bytes, testing::kListWritten, kSelf, system, [](const std::string&) { return true; },
            product);
        if (!result) std::abort();  // the answer was yes
        (void)ReportMessage(product, *result);
        (void)EverythingRemoved(*result);
    } catch (const ListError&) {
        // Damaged: nothing at all may have changed.
        if (system.files != before) std::abort();
        return 0;
    }
    for (const auto& [key, path] : before) {
        if (system.files.count(key)) continue;
        if (!Allowed(system, path) && FolderOf(path) != system.programs + "\\Torvane P2P")
            std::abort();
        if (SameText(path, kInstall + "\\notes.DAT") || SameText(path, kData + "\\old.DAT")) {
            // Only an F line may name it; no pattern takes it.
            if (bytes.find("<F" + path + ">") == std::string::npos &&
                LowerCase(bytes).find(LowerCase("<F" + path + ">")) == std::string::npos)
                std::abort();
        }
    }
    if (!system.keys.count("software\\microsoft\\windows\\currentversion\\run")) std::abort();
    return 0;
}
