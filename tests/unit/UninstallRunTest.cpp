// The plan, the run and the report: the list's order with the program itself
// last, every object accounted for, and the closing words.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/UninstallLists.h"
#include "uninstall/Plan.h"
#include "uninstall/Report.h"

namespace torvane::uninstall {
namespace {

// A machine with Torvane P2P installed as the typical list describes it, plus
// things of the user's the list does not name.
class Installed : public ::testing::Test {
protected:
    Installed() {
        // The setup wrote the data file before the list; the client's files came after.
        system.AddFile(kData + "\\Torvane.Dat", kBefore);
        for (const char* name : {"Nodes.DAT", "session.tmp", "old.bak", "debug.LOG", "read.txt"})
            system.AddFile(kData + "\\" + name);
        for (const char* name : {"Torvane.Exe", "QVInst.Dat", "Uninstall.Exe", "Uninstall.Dat"})
            system.AddFile(kInstall + "\\" + name);
        system.keys.insert(Lower(kKey));
        system.keys.insert(Lower("Software\\Torvane P2P\\Settings"));
        system.AddFile(kPrograms + "\\Torvane P2P\\Torvane P2P.lnk");
        system.AddFile(kPrograms + "\\Torvane P2P\\Uninstall Torvane P2P.LNK");
        system.AddFile(kDesktop + "\\Torvane P2P.Lnk");
        system.AddFile(kDesktop + "\\Other.lnk");
        system.AddFile(kDownloads + "\\film.avi");
    }

    RunResult RunTypical() {
        return RunPlan(MakePlan(ParseUninstallList(Join(TypicalLines())), kSelf), system,
                       kListWritten);
    }

    FakeSystem system;
};

// --- the plan and its order ------------------------------------------------------

TEST(UninstallPlan, KeepsTheListOrderButMovesTheProgramItselfLast) {
    const std::vector<Step> plan = MakePlan(ParseUninstallList(Join(TypicalLines())), Lower(kSelf));
    ASSERT_EQ(plan.size(), 16u);
    EXPECT_EQ(plan.back().entry.argument, kSelf);
    EXPECT_TRUE(plan.back().removesSelf);
    EXPECT_EQ(std::count_if(plan.begin(), plan.end(), [](const Step& s) { return s.removesSelf; }),
              1);
    // Everything else in list order: the self line (line 11) is missing between 10 and 12.
    std::vector<int> lines;
    for (const Step& s : plan) lines.push_back(s.entry.line);
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 11}));
}

TEST(UninstallPlan, NamesTheProgramOnceAndOnlyWhenTheListDoes) {
    std::vector<std::string> lines = TypicalLines();
    lines.push_back("<F" + kSelf + ">");
    const std::vector<Step> twice = MakePlan(ParseUninstallList(Join(lines)), kSelf);
    EXPECT_EQ(twice.size(), 16u);  // the second mention is dropped
    EXPECT_TRUE(twice.back().removesSelf);

    // Run from elsewhere (a copy): its own path is not in the list, so the
    // list's Uninstall.Exe is an ordinary file deleted in its place.
    const std::vector<Step> other =
        MakePlan(ParseUninstallList(Join(TypicalLines())), "C:\\Temp\\Uninstall.Exe");
    EXPECT_EQ(other.size(), 16u);
    EXPECT_TRUE(
        std::none_of(other.begin(), other.end(), [](const Step& s) { return s.removesSelf; }));
    EXPECT_EQ(other[9].entry.argument, kSelf);
}

TEST_F(Installed, CarriesOutTheListInOrderAndLeavesTheUsersThingsAlone) {
    const RunResult r = RunTypical();
    // Everything named is gone, except the running program.
    EXPECT_FALSE(system.HasFolder(kData));
    EXPECT_FALSE(system.HasFile(kInstall + "\\Torvane.Exe"));
    EXPECT_FALSE(system.HasFile(kInstall + "\\Uninstall.Dat"));
    EXPECT_TRUE(system.HasFile(kSelf));
    EXPECT_TRUE(system.keys.count(Lower(kKey)) == 0);
    EXPECT_FALSE(system.HasFolder(kPrograms + "\\Torvane P2P"));
    EXPECT_FALSE(system.HasFile(kDesktop + "\\Torvane P2P.Lnk"));
    // What the list does not name stays.
    EXPECT_TRUE(system.HasFile(kDownloads + "\\film.avi"));
    EXPECT_TRUE(system.HasFile(kDesktop + "\\Other.lnk"));
    EXPECT_TRUE(system.keys.count(Lower("Software\\Torvane P2P\\Settings")) == 1);
    EXPECT_TRUE(system.HasFolder(kPrograms));

    // The order of the operations that changed something.
    std::vector<std::string> changes;
    for (const std::string& op : system.log)
        if (op.rfind("list ", 0) != 0) changes.push_back(op);
    const std::vector<std::string> expected{
        "delete " + kData +
            "\\Nodes.DAT",  // Torvane.Dat is older than the list: its F line takes it
        "delete " + kData + "\\session.tmp",
        "delete " + kData + "\\old.bak",
        "delete " + kData + "\\debug.LOG",
        "delete " + kData + "\\read.txt",
        "rmdir " + kData,
        "delete " + kInstall + "\\Torvane.Exe",
        "delete " + kData + "\\Torvane.Dat",
        "delete " + kInstall + "\\QVInst.Dat",
        "delete " + kInstall + "\\Uninstall.Dat",
        "rmdir " + kInstall,
        "rmdir " + kData,
        "regdelete " + kKey,
        "delete " + kPrograms + "\\Torvane P2P\\Torvane P2P.lnk",
        "delete " + kPrograms + "\\Torvane P2P\\Uninstall Torvane P2P.LNK",
        "rmdir " + kPrograms + "\\Torvane P2P",
        "delete " + kDesktop + "\\Torvane P2P.Lnk",
    };
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(std::count(system.log.begin(), system.log.end(), "delete " + kSelf), 0);

    // The program itself is last and left to the caller; the install folder
    // failed only because of it and waits for it.
    ASSERT_TRUE(r.selfItem.has_value());
    EXPECT_EQ(*r.selfItem, r.items.size() - 1);
    EXPECT_EQ(r.items.back().what, "file " + kSelf);
    EXPECT_EQ(r.items.back().state, ItemState::Pending);
    EXPECT_EQ(r.foldersAfterSelf, std::vector<std::string>{kInstall});
    ASSERT_NE(FindItem(r, "folder " + kInstall), nullptr);
    EXPECT_EQ(FindItem(r, "folder " + kInstall)->state, ItemState::Pending);
    EXPECT_TRUE(EverythingRemoved(r));
    // The data file kept by its pattern and the data folder kept for it at
    // first were settled by the later lines: nothing is reported as kept.
    for (const Item& item : r.items) EXPECT_NE(item.state, ItemState::Kept) << item.what;
    EXPECT_EQ(ReportMessage("Torvane P2P", r).find("kept"), std::string::npos);
}

TEST_F(Installed, SettlingTheSelfRemovalDecidesTheOutcome) {
    RunResult copy = RunTypical();
    SettleSelfRemoval(copy, SelfRemoval::ByCopy);
    EXPECT_TRUE(EverythingRemoved(copy));
    EXPECT_EQ(ReportMessage("Torvane P2P", copy),
              "Torvane P2P has been removed from your computer.");

    RunResult restart = RunTypical();
    SettleSelfRemoval(restart, SelfRemoval::AtRestart);
    EXPECT_TRUE(EverythingRemoved(restart));
    EXPECT_EQ(ReportMessage("Torvane P2P", restart),
              "Torvane P2P has been removed from your computer.\n\nThese items will be removed "
              "when Windows "
              "restarts:\n\nfolder " +
                  kInstall + "\nfile " + kSelf);
}

TEST(UninstallRun, ReportsWhatCouldNotBeRemovedAndCarriesOnAfterAFailure) {
    FakeSystem system;
    system.AddFile(kInstall + "\\Torvane.Exe");
    system.AddFile(kInstall + "\\Uninstall.Exe");
    system.AddFile(kInstall + "\\My notes.txt");  // not named: keeps the folder
    system.locked.insert(Lower(kInstall + "\\Torvane.Exe"));
    system.programs.clear();
    const std::string text = "Torvane P2P\r\n<F" + kInstall + "\\Torvane.Exe>\r\n<F" + kSelf +
                             ">\r\n<E" + kInstall + ">\r\n<STorvane P2P>\r\n<R" + kKey + ">\r\n";
    RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, kListWritten);
    // The key (absent) was still tried after the failures before it.
    EXPECT_EQ(system.log.back(), "regdelete " + kKey);
    EXPECT_TRUE(r.foldersAfterSelf.empty());  // the notes keep the folder, not the program
    SettleSelfRemoval(r, SelfRemoval::Failed, "no temporary folder");
    EXPECT_FALSE(EverythingRemoved(r));
    EXPECT_EQ(ReportMessage("Torvane P2P", r),
              "Torvane P2P has been removed, except for these items, which could not be:\n\n"
              "file " +
                  kInstall +
                  "\\Torvane.Exe: it is in use\n"
                  "folder " +
                  kInstall +
                  ": it is not empty\n"
                  "Start-menu group Torvane P2P: no programs folder\n"
                  "file " +
                  kSelf +
                  ": no temporary folder\n\n"
                  "You may delete them yourself.");
}

TEST(UninstallRun, ShortensALongReport) {
    FakeSystem system;
    std::string text = "Torvane P2P\r\n";
    for (int i = 0; i < 30; ++i) {
        const std::string path = kInstall + "\\file" + std::to_string(i) + ".dat";
        system.AddFile(path);
        system.locked.insert(Lower(path));
        text += "<F" + path + ">\r\n";
    }
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, kListWritten);
    const std::string message = ReportMessage("Torvane P2P", r, 25);
    EXPECT_NE(message.find("file24.dat: it is in use"), std::string::npos);
    EXPECT_EQ(message.find("file25.dat"), std::string::npos);
    EXPECT_NE(message.find("\n... and 5 more"), std::string::npos);
}

TEST(UninstallRun, NestedFoldersWaitForTheProgramTooAndMissingThingsAreNoFailure) {
    // The program lives in a subfolder of the install folder.
    const std::string bin = kInstall + "\\bin";
    const std::string self = bin + "\\Uninstall.Exe";
    FakeSystem system;
    system.AddFile(self);
    const std::string gone = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
    const std::string text = "Torvane P2P\r\n<F" + self + ">\r\n<E" + bin + ">\r\n<E" + kInstall +
                             "\\>\r\n<F" + gone + "\\x.dat>\r\n<P" + gone + "\\*.dat>\r\n<E" +
                             gone + ">\r\n<TTorvane P2P.Lnk>\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), self), system, kListWritten);
    EXPECT_EQ(r.foldersAfterSelf, (std::vector<std::string>{bin, kInstall}));
    EXPECT_TRUE(EverythingRemoved(r));
    int absent = 0;
    for (const Item& item : r.items) absent += item.state == ItemState::Absent;
    EXPECT_EQ(absent, 4);
}

TEST(UninstallRun, ALaterSuccessSettlesAnEarlierFailureAndAFailureIsReportedOnce) {
    FakeSystem system;
    system.AddFile(kData + "\\QVInst.Dat");
    system.AddFile(kInstall + "\\Torvane.Exe");
    system.AddFolder(kInstall + "\\Plugins");  // the user's: keeps the install folder
    const std::string text = "Torvane P2P\r\n<E" + kData + ">\r\n<F" + kData +
                             "\\QVInst.Dat>\r\n<E" + kData + ">\r\n<E" + kInstall + ">\r\n<F" +
                             kInstall + "\\Torvane.Exe>\r\n<E" + kInstall + ">\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, kListWritten);
    EXPECT_FALSE(system.HasFolder(kData));
    // The data folder failed first, then went: no failure left for it.
    EXPECT_EQ(std::count_if(r.items.begin(), r.items.end(),
                            [](const Item& i) { return i.what == "folder " + kData; }),
              1);
    EXPECT_EQ(FindItem(r, "folder " + kData)->state, ItemState::Removed);
    // The install folder failed twice for the same reason: reported once.
    EXPECT_EQ(ReportMessage("Torvane P2P", r),
              "Torvane P2P has been removed, except for these items, which could not be:\n\n"
              "folder " +
                  kInstall + ": it is not empty\n\nYou may delete them yourself.");
}

// --- a long list ---------------------------------------------------------------------

// Every file named twice: a locked one fails twice and is reported once, a
// free one is removed, then absent. The bookkeeping that settles repeated
// objects must give for a long list what it gives for a short one.
TEST(UninstallRun, ALongListIsSettledLikeAShortOne) {
    FakeSystem system;
    std::string text = "Torvane P2P\r\n";
    const int count = 4000;
    for (int i = 0; i < count; ++i) {
        const std::string path = kInstall + "\\f" + std::to_string(i);
        system.AddFile(path);
        if (i % 2) system.locked.insert(Lower(path));
        text += "<F" + path + ">\r\n<F" + path + ">\r\n";
    }
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system, kListWritten);
    ASSERT_EQ(r.items.size(), static_cast<std::size_t>(count / 2 * 3));
    auto count_of = [&](ItemState state) {
        return std::count_if(r.items.begin(), r.items.end(),
                             [&](const Item& i) { return i.state == state; });
    };
    EXPECT_EQ(count_of(ItemState::Failed), count / 2);
    EXPECT_EQ(count_of(ItemState::Removed), count / 2);
    EXPECT_EQ(count_of(ItemState::Absent), count / 2);
    EXPECT_EQ(r.items[0].state, ItemState::Removed);
    EXPECT_EQ(r.items[1].state, ItemState::Absent);
    EXPECT_EQ(r.items[2].what, "file " + kInstall + "\\f1");
    EXPECT_EQ(r.items[2].state, ItemState::Failed);
}

}  // namespace
}  // namespace torvane::uninstall
