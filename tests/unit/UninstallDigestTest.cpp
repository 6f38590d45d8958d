// The uninstaller's first rule: a list whose digest the setup recorded is
// carried out only while it has that digest; without one, the product
// folders narrow to those of the user profiles.
#include <gtest/gtest.h>

#include "base/Sha256.h"
#include "fakes/FakeUninstallSystem.h"
#include "uninstall/ListDigest.h"
#include "uninstall/Run.h"

namespace torvane::uninstall {
namespace {

const std::string kInstall = "C:\\Program Files\\Torvane P2P";
const std::string kSelf = kInstall + "\\Uninstall.Exe";
const std::string kData = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
const std::string kList = "Torvane P2P\r\n<P" + kData + "\\*.DAT>\r\n<F" + kInstall +
                          "\\Torvane.Exe>\r\n<F" + kSelf + ">\r\n<E" + kInstall + ">\r\n";
const std::string kElsewhere = "D:\\Games\\Torvane P2P";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(UninstallListDigest, OnlyTheListTheSetupRecordedIsCarriedOut) {
    enum Record { Matching, OfTheTypicalList, None, Unreadable };
    struct Case {
        const char* what;
        std::string list;
        Record record;
        const char* refusal;  // empty: carried out
    } cases[] = {
        {"the setup's list", kList, Matching, ""},
        {"a changed byte", Replaced(kList, "Torvane.Exe", "Torvane.Exf"), OfTheTypicalList,
         "is not the list the setup wrote"},
        {"a line added", kList + "<F" + kInstall + "\\notes.txt>\r\n", OfTheTypicalList,
         "is not the list the setup wrote"},
        {"a record that cannot be read", kList, Unreadable, "cannot be read: access denied"},
        {"no digest: a profile's data folder", kList, None, ""},
        {"no digest: a product folder elsewhere", kList + "<P" + kElsewhere + "\\*.DAT>\r\n", None,
         "line 6 (files D:\\Games\\Torvane P2P\\*.DAT) is not directly in the uninstaller's "
         "folder or in a user's data folder of Torvane P2P"},
        {"no digest: its empty folder", kList + "<E" + kElsewhere + ">\r\n", None,
         "is neither the uninstaller's folder nor a user's data folder"},
        {"a digest: any product folder", kList + "<P" + kElsewhere + "\\*.DAT>\r\n", Matching, ""},
    };
    for (const Case& c : cases) {
        testing::FakeUninstallSystem system;
        system.AddFile(kSelf);
        system.AddFile(kInstall + "\\Torvane.Exe");
        system.AddFile(kInstall + "\\notes.txt");
        system.AddFile(kData + "\\Nodes.DAT");
        system.AddFile(kElsewhere + "\\Saved.DAT");
        system.recordedDigest = c.record == Matching           ? Sha256Hex(c.list)
                                : c.record == OfTheTypicalList ? Sha256Hex(kList)
                                                               : "";
        system.digestUnreadable = c.record == Unreadable;
        bool asked = false;
        std::string product;
        try {
            Uninstall(
                c.list, testing::kListWritten, kSelf, system,
                [&](const std::string&) { return asked = true; }, product);
            EXPECT_EQ(std::string(c.refusal), "") << c.what << " was carried out";
            EXPECT_FALSE(system.HasFile(kData + "\\Nodes.DAT")) << c.what;
        } catch (const ListError& e) {
            EXPECT_NE(std::string(c.refusal), "") << c.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos)
                << c.what << ": " << e.what();
            EXPECT_FALSE(asked) << c.what;
            EXPECT_TRUE(system.log.empty()) << c.what << ": " << system.log.front();
        }
        EXPECT_TRUE(system.HasFile(kInstall + "\\notes.txt")) << c.what;
    }
}

}  // namespace
}  // namespace torvane::uninstall
