// Rule: no junction or link on the way leads elsewhere; one above an owned
// folder that still leads to it (a moved profile) is fine.
#include <gtest/gtest.h>

#include "fakes/UninstallLists.h"
#include "uninstall/DiskCheck.h"

namespace torvane::uninstall {
namespace {

// --- reparse points ------------------------------------------------------------------

TEST(UninstallReparsePoints, AJunctionAnywhereOnAPathDamagesTheList) {
    const std::string places[] = {
        kData,                           // the data folder replaced by a junction
        "C:\\Users\\me\\AppData",        // an ancestor
        kInstall + "\\Torvane.Exe",      // a file that is a link
        kPrograms + "\\Torvane P2P",     // the Start-menu group
        kDesktop + "\\Torvane P2P.Lnk",  // the desktop shortcut
    };
    for (const std::string& place : places) {
        FakeSystem system;
        for (const char* name : {"Torvane.Dat", "Nodes.DAT"}) system.AddFile(kData + "\\" + name);
        system.AddFile(kSelf);
        system.AddFile(kInstall + "\\Torvane.Exe");
        system.AddFile(kPrograms + "\\Torvane P2P\\Torvane P2P.lnk");
        system.AddFile(kDesktop + "\\Torvane P2P.Lnk");
        system.reparse.insert(Lower(place));
        bool asked = false;
        std::string product;
        try {
            Uninstall(
                Join(TypicalLines()), kListWritten, kSelf, system,
                [&](const std::string&) { return asked = true; }, product);
            ADD_FAILURE() << "a junction at " << place << " was followed";
        } catch (const ListError& e) {
            EXPECT_NE(std::string(e.what()).find("leads through " + place +
                                                 ", which is a junction or a link"),
                      std::string::npos)
                << e.what();
        }
        EXPECT_FALSE(asked);
        EXPECT_TRUE(system.log.empty()) << place << ": " << system.log.front();
        EXPECT_TRUE(system.HasFile(kData + "\\Nodes.DAT"));
    }
    // A profile moved to another drive by a junction above the data folder
    // still leads to the data folder: the installation goes.
    FakeSystem moved;
    moved.AddFile(kSelf);
    moved.AddFile(kData + "\\Nodes.DAT");
    moved.reparse.insert(Lower("C:\\Users\\me"));
    moved.moved[Lower("C:\\Users\\me")] = "D:\\Profiles\\me";
    std::string movedProduct;
    EXPECT_NO_THROW(Uninstall(
        Join(TypicalLines()), kListWritten, kSelf, moved, [](const std::string&) { return true; },
        movedProduct));
    EXPECT_FALSE(moved.HasFile(kData + "\\Nodes.DAT"));
    // Without one, the same installation goes.
    FakeSystem clean;
    clean.AddFile(kSelf);
    clean.AddFile(kData + "\\Nodes.DAT");
    std::string product;
    EXPECT_NO_THROW(Uninstall(
        Join(TypicalLines()), kListWritten, kSelf, clean, [](const std::string&) { return true; },
        product));
    EXPECT_FALSE(clean.HasFile(kData + "\\Nodes.DAT"));
}

}  // namespace
}  // namespace torvane::uninstall
