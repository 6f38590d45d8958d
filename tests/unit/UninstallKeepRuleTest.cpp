// Rule: what a pattern matches is deleted only when it can be told to be the
// installation's: the user's older files, files whose times cannot be read
// and best-fit names are kept.
#include <gtest/gtest.h>

#include "fakes/CodePages.h"
#include "fakes/UninstallLists.h"
#include "uninstall/Plan.h"
#include "uninstall/Report.h"

namespace torvane::uninstall {
namespace {

// --- the user's files ------------------------------------------------------------------

// The setup's list when the data folder could not be made: the P lines name
// the installation folder, here a folder of the user's own.
std::vector<std::string> ListForWorkFolder(const std::string& folder) {
    return {"Torvane P2P",
            "<P" + folder + "\\*.QCF>",
            "<P" + folder + "\\*.DAT>",
            "<P" + folder + "\\*.GET>",
            "<E" + folder + "\\>",
            "<F" + folder + "\\Torvane.Exe>",
            "<F" + folder + "\\Torvane.dat>",
            "<F" + folder + "\\Uninstall.Exe>",
            "<F" + folder + "\\Uninstall.Dat>",
            "<E" + folder + "\\>"};
}

TEST(UninstallUsersFiles, APatternKeepsWhatWasThereBeforeTheInstallation) {
    const std::string bob = "D:\\Users\\bob";
    FakeSystem system;
    system.AddFile(bob + "\\savegame.DAT", kBefore);
    system.AddFile(bob + "\\movie.GET", kBefore);
    system.AddFile(bob + "\\NTUSER.DAT", kBefore, kAfter);  // older, though written since
    system.AddFile(bob + "\\notes.DAT", kAfter, kBefore);   // copied in: its contents are older
    system.AddFile(bob + "\\Torvane.dat", kBefore);         // the setup's, named by an F line
    system.AddFile(bob + "\\Nodes.DAT");                    // the client's, written since
    system.AddFile(bob + "\\part.GET");
    system.AddFile(bob + "\\Torvane.Exe", kBefore);
    system.AddFile(bob + "\\Uninstall.Exe", kBefore);
    system.AddFile(bob + "\\Uninstall.Dat", kListWritten);
    const std::string self = bob + "\\Uninstall.Exe";
    RunResult r = RunPlan(MakePlan(ParseUninstallList(Join(ListForWorkFolder(bob))), self), system,
                          kListWritten);
    for (const char* kept : {"savegame.DAT", "movie.GET", "NTUSER.DAT", "notes.DAT"}) {
        EXPECT_TRUE(system.HasFile(bob + "\\" + kept)) << kept;
        ASSERT_NE(FindItem(r, "file " + bob + "\\" + kept), nullptr) << kept;
        EXPECT_EQ(FindItem(r, "file " + bob + "\\" + kept)->state, ItemState::Kept) << kept;
    }
    for (const char* gone :
         {"Nodes.DAT", "part.GET", "Torvane.dat", "Torvane.Exe", "Uninstall.Dat"})
        EXPECT_FALSE(system.HasFile(bob + "\\" + gone)) << gone;
    // The folder stays for the user's files; that is no failure.
    EXPECT_TRUE(system.HasFolder(bob));
    EXPECT_EQ(FindItem(r, "folder " + bob)->state, ItemState::Kept);
    EXPECT_TRUE(r.foldersAfterSelf.empty());
    SettleSelfRemoval(r, SelfRemoval::ByCopy);
    EXPECT_TRUE(EverythingRemoved(r));
    const std::string message = ReportMessage("Torvane P2P", r);
    EXPECT_EQ(
        message.rfind(
            "Torvane P2P has been removed from your computer.\n\nThese items were there before "
            "Torvane P2P was installed and have been kept:\n",
            0),
        0u)
        << message;
    EXPECT_NE(message.find("\nfile " + bob + "\\savegame.DAT"), std::string::npos) << message;
    EXPECT_NE(message.find("\nfolder " + bob), std::string::npos) << message;
}

TEST(UninstallUsersFiles, WithoutTheListsTimeEveryMatchIsKeptButNamedFilesGo) {
    FakeSystem system;
    system.AddFile(kData + "\\Nodes.DAT");
    system.AddFile(kData + "\\Torvane.dat");
    const std::string text =
        "Torvane P2P\r\n<P" + kData + "\\*.DAT>\r\n<F" + kData + "\\Torvane.dat>\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, 0);
    EXPECT_TRUE(system.HasFile(kData + "\\Nodes.DAT"));
    EXPECT_FALSE(system.HasFile(kData + "\\Torvane.dat"));
    EXPECT_EQ(FindItem(r, "file " + kData + "\\Nodes.DAT")->state, ItemState::Kept);
}

// A pattern deletes only what it can judge: a file whose times cannot be read
// is kept, and so is a name the listing could only give in a best-fit
// spelling ("\" from a fullwidth backslash, "?" for a character the code
// page lacks), which would name another file. A double-byte character whose
// second byte is that of "\\" is no such name (no reason: deleted).
TEST(UninstallUsersFiles, APatternKeepsWhatItCannotJudge) {
    struct Case {
        std::string name;
        bool unreadableTimes;
        const char* reason;
        LeadByte isLead = NoLeadBytes;
    } cases[] = {
        {"Nodes.DAT", true, "its times cannot be read"},
        {"a?b.DAT", false, "its name cannot be spelt"},
        {"x\\..\\Torvane.DAT", false, "its name cannot be spelt"},
        {"x/y.DAT", false, "its name cannot be spelt"},
        {"\x95\x5C.DAT", false, nullptr, testing::ShiftJisLead},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.leadBytes = c.isLead;
        const std::string path = kData + "\\" + c.name;
        system.AddFolder(kData);
        system.files[Lower(path)] = path;
        system.times[Lower(path)] = {kAfter, kAfter};
        if (c.unreadableTimes) system.unreadable.insert(Lower(path));
        if (c.reason && c.name.find('\\') != std::string::npos)
            system.oddNames[Lower(kData)] = {c.name};
        const RunResult r = RunPlan(
            MakePlan(ParseUninstallList("Torvane P2P\r\n<P" + kData + "\\*.DAT>\r\n"), kSelf),
            system, kListWritten);
        EXPECT_EQ(system.HasFile(path), c.reason != nullptr) << c.name;
        if (!c.reason) continue;
        const Item* item = FindItem(r, "file " + path);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->state, ItemState::Kept) << c.name;
        EXPECT_NE(item->reason.find(c.reason), std::string::npos) << c.name << ": " << item->reason;
    }
}

TEST(UninstallUsersFiles, AFolderWithAnUnnamedFileOfTheUsersIsStillAFailure) {
    FakeSystem system;
    system.AddFile(kInstall + "\\My notes.txt");  // no pattern matched it: unknown, not kept
    system.AddFile(kInstall + "\\old.DAT", kBefore);
    const std::string text = "Torvane P2P\r\n<P" + kInstall + "\\*.DAT>\r\n<E" + kInstall + ">\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, kListWritten);
    EXPECT_EQ(FindItem(r, "folder " + kInstall)->state, ItemState::Failed);
    EXPECT_FALSE(EverythingRemoved(r));
}

}  // namespace
}  // namespace torvane::uninstall
