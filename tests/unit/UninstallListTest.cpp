// The uninstaller's portable half: reading UnInstall.dat, the refusal rules,
// the order of the work, "self last", and the report, against an in-memory
// file system and registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/Sha256.h"
#include "base/SplitCommandLine.h"
#include "base/Text.h"
#include "fakes/FakeUninstallSystem.h"
#include "uninstall/CommandLine.h"
#include "uninstall/Confinement.h"
#include "uninstall/LineRules.h"
#include "uninstall/Plan.h"
#include "uninstall/Report.h"
#include "uninstall/Run.h"
#include "uninstall/UninstallList.h"

namespace torvane::uninstall {
namespace {

const std::string kData = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
const std::string kInstall = "C:\\Program Files\\Torvane P2P";
const std::string kSelf = kInstall + "\\Uninstall.Exe";
const std::string kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
const std::string kPrograms =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string kDesktop = "C:\\Users\\me\\Desktop";
const std::string kDownloads = "C:\\Users\\me\\Downloads\\Torvane";

// The list the setup writes: product name and 17 lines (18 in all).
std::vector<std::string> TypicalLines() {
    return {"Torvane P2P",
            "<P" + kData + "\\*.DAT>",
            "<P" + kData + "\\*.TMP>",
            "<P" + kData + "\\*.BAK>",
            "<P" + kData + "\\*.LOG>",
            "<P" + kData + "\\*.TXT>",
            "<E" + kData + ">",
            "<F" + kInstall + "\\Torvane.Exe>",
            "<F" + kData + "\\Torvane.Dat>",
            "<F" + kInstall + "\\QVInst.Dat>",
            "<F" + kSelf + ">",
            "<F" + kInstall + "\\Uninstall.Dat>",
            "<E" + kInstall + ">",
            "<E" + kData + ">",
            "<R" + kKey + ">",
            "<STorvane P2P>",
            "<TTorvane P2P.Lnk>"};
}

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

std::string Lower(std::string text) { return LowerCase(text); }

using testing::kAfter;
using testing::kBefore;
using testing::kListWritten;
using FakeSystem = testing::FakeUninstallSystem;

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

const Item* FindItem(const RunResult& r, const std::string& what) {
    for (const Item& item : r.items)
        if (item.what == what) return &item;
    return nullptr;
}

// --- parsing -----------------------------------------------------------------

TEST(UninstallListParsing, ReadsTheTypicalListsOfSeventeenAndEighteenLines) {
    const std::vector<std::string> lines = TypicalLines();
    ASSERT_EQ(lines.size(), 17u);
    const UninstallList list = ParseUninstallList(Join(lines));
    EXPECT_EQ(list.productName, "Torvane P2P");
    ASSERT_EQ(list.entries.size(), 16u);
    const std::string kinds = "PPPPPEFFFFFEERST";
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        EXPECT_EQ(static_cast<char>(list.entries[i].kind), kinds[i]) << "entry " << i;
        EXPECT_EQ(list.entries[i].line, static_cast<int>(i + 2));
    }
    EXPECT_EQ(list.entries[0].argument, kData + "\\*.DAT");
    EXPECT_EQ(list.entries[13].argument, kKey);
    EXPECT_EQ(list.entries[15].argument, "Torvane P2P.Lnk");

    std::vector<std::string> eighteen = lines;
    eighteen.insert(eighteen.begin() + 10, "<F" + kData + "\\QVInst.Dat>");
    const UninstallList longer = ParseUninstallList(Join(eighteen));
    ASSERT_EQ(longer.entries.size(), 17u);
    EXPECT_EQ(longer.entries[9].argument, kData + "\\QVInst.Dat");
    EXPECT_EQ(longer.entries[16].kind, EntryKind::DesktopShortcut);
}

TEST(UninstallListParsing, AcceptsBareLineFeedsAndAMissingFinalLineEnd) {
    const std::string crlf = Join(TypicalLines());
    const UninstallList a = ParseUninstallList(Join(TypicalLines(), "\n"));
    const UninstallList b = ParseUninstallList(crlf.substr(0, crlf.size() - 2));
    ASSERT_EQ(a.entries.size(), 16u);
    ASSERT_EQ(b.entries.size(), 16u);
    EXPECT_EQ(a.entries.back().argument, "Torvane P2P.Lnk");
    EXPECT_EQ(b.entries.back().argument, "Torvane P2P.Lnk");  // no stray CR kept
    // An argument may itself contain '<' or '>' text; only the outer pair frames it.
    EXPECT_EQ(ParseUninstallList("X\r\n<FC:\\a>b>\r\n").entries[0].argument, "C:\\a>b");
}

TEST(UninstallListParsing, RejectsEveryDamagedFormWithTheLineAndTheReason) {
    const std::string good = "<FC:\\x\\a.txt>\r\n";
    struct Case {
        std::string text, reason;
    } cases[] = {
        {"", "first line (the product name) is empty"},
        {"\r\n" + good, "first line (the product name) is empty"},
        {"Torvane P2P\r\n" + good + "\r\n" + good, "line 3 is not of the form"},
        {"Torvane P2P\r\nFC:\\x\\a.txt\r\n", "line 2 is not of the form"},
        {"Torvane P2P\r\n<FC:\\x\\a.txt\r\n", "line 2 is not of the form"},
        {"Torvane P2P\r\n<FC:\\x\\a.txt> \r\n", "line 2 is not of the form"},
        {"Torvane P2P\r\n" + good + "<XC:\\x>\r\n", "line 3 has an unknown kind letter 'X'"},
        {"Torvane P2P\r\n<fC:\\x\\a.txt>\r\n", "unknown kind letter 'f'"},
        {"Torvane P2P\r\n<F>\r\n", "line 2 has no argument"},
        {"Torvane P2P\r\n<>\r\n", "line 2 is not of the form"},
        {"Torvane P2P\r\n<FC:\\x\ta.txt>\r\n", "line 2 contains a control character"},
        {"Torvane\x01P2P\r\n", "line 1 contains a control character"},
        {"Torvane P2P\r\n" + good + "\r\n", "line 3 is not of the form"},
        {"Torvane P2P\r\n" + std::string(kMaxListBytes, 'x'), "larger than any list"},
    };
    for (const Case& c : cases) {
        try {
            ParseUninstallList(c.text);
            ADD_FAILURE() << "accepted: " << c.text.substr(0, 80);
        } catch (const ListError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
                << "reason \"" << e.what() << "\", want \"" << c.reason << "\"";
        }
    }
    EXPECT_EQ(
        DamagedListMessage("C:\\P\\UnInstall.dat", "line 3 has no argument"),
        "The uninstall list C:\\P\\UnInstall.dat is missing or damaged: line 3 has no argument.\n\n"
        "Nothing has been removed.");
}

TEST(UninstallListParsing, ADamagedListTouchesNothingAndAsksNothing) {
    // Sixteen good lines, then one bad one at the very end.
    std::vector<std::string> lines = TypicalLines();
    lines.push_back("<QC:\\Windows>");
    FakeSystem system;
    system.AddFile(kSelf);
    system.AddFile(kData + "\\Torvane.Dat");
    bool asked = false;
    std::string product;
    EXPECT_THROW(Uninstall(
                     Join(lines), kListWritten, kSelf, system,
                     [&](const std::string&) { return asked = true; }, product),
                 ListError);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(system.log.empty()) << system.log.front();
    EXPECT_TRUE(system.HasFile(kData + "\\Torvane.Dat"));
}

TEST(UninstallListParsing, ASaidNoTouchesNothingAndAYesRunsThePlan) {
    FakeSystem system;
    system.AddFile(kInstall + "\\Torvane.Exe");
    std::string product, askedAbout;
    const std::string text = "Torvane P2P\r\n<F" + kInstall + "\\Torvane.Exe>\r\n";
    auto no = Uninstall(
        text, kListWritten, kSelf, system,
        [&](const std::string& p) {
            askedAbout = p;
            return false;
        },
        product);
    EXPECT_FALSE(no.has_value());
    EXPECT_EQ(askedAbout, "Torvane P2P");
    EXPECT_EQ(product, "Torvane P2P");
    EXPECT_TRUE(system.log.empty());
    auto yes = Uninstall(
        text, kListWritten, kSelf, system, [](const std::string&) { return true; }, product);
    ASSERT_TRUE(yes.has_value());
    EXPECT_FALSE(system.HasFile(kInstall + "\\Torvane.Exe"));
    EXPECT_TRUE(EverythingRemoved(*yes));
}

// --- refusal rules -------------------------------------------------------------

TEST(UninstallRefusals, AcceptOnlyWhatTheSetupWrites) {
    struct Case {
        EntryKind kind;
        std::string argument;
        std::string refusal;  // empty: accepted
    } cases[] = {
        {EntryKind::Pattern, kData + "\\*.DAT", ""},
        {EntryKind::Pattern, kData + "\\Nodes?.dat", ""},
        {EntryKind::Pattern, "*.DAT", "has no folder part"},
        {EntryKind::Pattern, "Torvane P2P\\*.DAT", "not an absolute path"},
        {EntryKind::Pattern, "C:\\Users\\*\\AppData\\*.DAT", "wildcard in its folder part"},
        {EntryKind::Pattern, "C:\\Users\\me?\\*.DAT", "wildcard in its folder part"},
        {EntryKind::Pattern, "C:\\*.DAT", "root of a drive"},
        {EntryKind::Pattern, "C:\\Users\\..\\Windows\\*.dll", "\"..\""},
        {EntryKind::Pattern, "C:/Users/me/*.DAT", "\"/\""},
        {EntryKind::Pattern, "\\\\server\\share\\*.DAT", "not an absolute path"},
        {EntryKind::File, kInstall + "\\Torvane.Exe", ""},
        {EntryKind::File, "Torvane.Exe", "not an absolute path"},
        {EntryKind::File, "\\Program Files\\Torvane.Exe", "not an absolute path"},
        {EntryKind::File, "C:Torvane.Exe", "not an absolute path"},
        {EntryKind::File, kInstall + "\\*.Exe", "contains a wildcard"},
        {EntryKind::File, kInstall + "\\.\\Torvane.Exe", "\".\" or \"..\""},
        {EntryKind::File, kInstall + "\\\\Torvane.Exe", "empty name"},
        {EntryKind::File, kInstall + "\\Torvane.Exe:stream", "\":\" after the drive"},
        {EntryKind::File, kInstall + "\\Torvane.Exe.", "ending in a dot"},
        {EntryKind::File, kInstall + "\\Torvane|.Exe", "not allowed in file names"},
        {EntryKind::File, "C:\\", "root of a drive"},
        {EntryKind::EmptyFolder, kInstall, ""},
        {EntryKind::EmptyFolder, kInstall + "\\", ""},
        {EntryKind::EmptyFolder, "C:\\", "root of a drive"},
        {EntryKind::EmptyFolder, "Torvane P2P", "not an absolute path"},
        {EntryKind::EmptyFolder, "C:\\Program Files\\..", "\".\" or \"..\""},
        {EntryKind::MachineKey, kKey, ""},
        {EntryKind::MachineKey, "SOFTWARE\\Torvane P2P", ""},
        {EntryKind::MachineKey, "Software\\", "not a key below Software"},
        {EntryKind::MachineKey, "SYSTEM\\CurrentControlSet\\Services\\x",
         "not a key below Software"},
        {EntryKind::MachineKey, "\\Software\\Torvane", "not a key below Software"},
        {EntryKind::MachineKey, "Software\\\\Torvane", "empty key name"},
        {EntryKind::MachineKey, "Software\\..\\SAM", "\".\" or \"..\""},
        {EntryKind::MachineKey, "Software\\Torvane*", "wildcard"},
        {EntryKind::StartMenuGroup, "Torvane P2P", ""},
        {EntryKind::StartMenuGroup, "..\\Startup", "\"\\\" or \"/\""},
        {EntryKind::StartMenuGroup, "Torvane\\Sub", "\"\\\" or \"/\""},
        {EntryKind::StartMenuGroup, "..", "\"..\""},
        {EntryKind::StartMenuGroup, "Torvane..P2P", "\"..\""},
        {EntryKind::StartMenuGroup, "C:Torvane", "\":\""},
        {EntryKind::StartMenuGroup, "*", "wildcard"},
        {EntryKind::DesktopShortcut, "Torvane P2P.Lnk", ""},
        {EntryKind::DesktopShortcut, "torvane p2p.LNK", ""},
        {EntryKind::DesktopShortcut, "..\\Documents\\x.lnk", "\"\\\" or \"/\""},
        {EntryKind::DesktopShortcut, "Torvane P2P.txt", "not a shortcut"},
        {EntryKind::DesktopShortcut, "C:x.lnk", "\":\""},
    };
    for (const Case& c : cases) {
        const auto refusal = RefusalOf(Entry{c.kind, c.argument, 2});
        if (c.refusal.empty()) {
            EXPECT_FALSE(refusal.has_value())
                << static_cast<char>(c.kind) << c.argument << ": " << *refusal;
        } else {
            ASSERT_TRUE(refusal.has_value())
                << static_cast<char>(c.kind) << c.argument << " accepted";
            EXPECT_NE(refusal->find(c.refusal), std::string::npos)
                << static_cast<char>(c.kind) << c.argument << ": \"" << *refusal << "\", want \""
                << c.refusal << "\"";
        }
    }
}

TEST(UninstallRefusals, WildcardsMatchLikeWindowsWithoutItsShortNameSurprises) {
    EXPECT_TRUE(WildcardMatch("*.DAT", "torvane.dat"));
    EXPECT_TRUE(WildcardMatch("*.DAT", ".dat"));
    EXPECT_FALSE(WildcardMatch("*.DAT", "torvane.data"));  // FindFirstFile's 8.3 alias would match
    EXPECT_FALSE(WildcardMatch("*.DAT", "torvane.dat.txt"));
    EXPECT_TRUE(WildcardMatch("Nodes?.dat", "Nodes1.DAT"));
    EXPECT_FALSE(WildcardMatch("Nodes?.dat", "Nodes.dat"));
    EXPECT_FALSE(WildcardMatch("Nodes?.dat", "Nodes12.dat"));
    EXPECT_TRUE(WildcardMatch("*.*", "README"));
    EXPECT_TRUE(WildcardMatch("*", "a.b.c"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYbc"));
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYYb"));
    EXPECT_FALSE(WildcardMatch("", "a"));
    EXPECT_TRUE(WildcardMatch("*.lnk", "Uninstall Torvane P2P.LNK"));
}

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

// --- confinement: only what this installation owns ------------------------------

// The uninstaller in the typical installation folder judges one line.
std::optional<std::string> OutsideTypical(EntryKind kind, const std::string& argument) {
    return OutsideOf(Entry{kind, argument, 2}, kInstall);
}

TEST(UninstallConfinement, TakesOnlyLinesInsideTheInstallation) {
    const std::string product = "Torvane P2P";
    struct Case {
        EntryKind kind;
        std::string argument;
        std::string outside;  // empty: inside
    } cases[] = {
        // Directly in its own folder, or in a folder named after the product.
        {EntryKind::File, kInstall + "\\Torvane.Exe", ""},
        {EntryKind::File, kInstall + "\\Torvane_toolbar.exe", ""},
        {EntryKind::File, kData + "\\Torvane.dat", ""},
        {EntryKind::File, "D:\\Users\\bob\\Torvane P2P\\x.dat",
         ""},  // by the folder's name, not the profile
        {EntryKind::File, "C:\\USERS\\OTHER\\APPDATA\\LOCAL\\TORVANE P2P\\Torvane.dat", ""},
        {EntryKind::Pattern, kData + "\\*.DAT", ""},
        {EntryKind::Pattern, kInstall + "\\*.GET", ""},
        {EntryKind::EmptyFolder, kInstall, ""},
        {EntryKind::EmptyFolder, kInstall + "\\", ""},
        {EntryKind::EmptyFolder, kData, ""},
        {EntryKind::MachineKey, kKey, ""},
        {EntryKind::MachineKey, Lower(kKey), ""},
        {EntryKind::StartMenuGroup, product, ""},
        {EntryKind::DesktopShortcut, "Torvane P2P.Lnk", ""},
        {EntryKind::DesktopShortcut, "torvane p2p.lnk", ""},
        // The attacks: system files, other programs' keys, other groups.
        {EntryKind::Pattern, "C:\\Windows\\*.*", "is not directly in the uninstaller's folder"},
        {EntryKind::File, "C:\\Windows\\System32\\config\\SAM",
         "is not directly in the uninstaller's folder"},
        {EntryKind::MachineKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         "is not the uninstall key"},
        {EntryKind::MachineKey, kKey + "\\Sub", "is not the uninstall key"},
        {EntryKind::MachineKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other",
         "uninstall key"},
        {EntryKind::StartMenuGroup, "Startup", "is not the Start-menu group"},
        {EntryKind::DesktopShortcut, "Other Program.lnk", "is not the desktop shortcut"},
        {EntryKind::DesktopShortcut, "Torvane P2P.url.lnk", "is not the desktop shortcut"},
        {EntryKind::File, "C:\\x\\CON", "names the device CON"},
        {EntryKind::File, kInstall + "\\CON", "names the device CON"},
        {EntryKind::File, kInstall + "\\nul.txt", "names the device nul.txt"},
        {EntryKind::File, kInstall + "\\COM1", "device"},
        {EntryKind::File, kInstall + "\\LPT9.dat", "device"},
        {EntryKind::File, kInstall + "\\AUX .log", "device"},
        {EntryKind::File, kInstall + "\\COM\xB9", "device"},
        {EntryKind::EmptyFolder, "C:\\PRN\\Torvane P2P", "device"},
        {EntryKind::File, "C:\\PROGRA~1\\Torvane P2P\\Torvane.Exe", "short (8.3) name PROGRA~1"},
        {EntryKind::File, kInstall + "\\TORVAN~1.EXE", "short (8.3) name"},
        {EntryKind::EmptyFolder, "C:\\Users\\me\\AppData\\Local\\TORVAN~1", "short (8.3) name"},
        // Only directly inside: not deeper, not the folder above, not a folder merely containing
        // the name.
        {EntryKind::File, kData + "\\Sub\\x.dat", "is not directly in"},
        {EntryKind::File, "C:\\Program Files\\Torvane.Exe", "is not directly in"},
        {EntryKind::Pattern, "C:\\Program Files\\*.*", "is not directly in"},
        {EntryKind::Pattern, "C:\\Torvane P2P Backup\\*.DAT", "is not directly in"},
        {EntryKind::EmptyFolder, "C:\\Program Files", "is neither the uninstaller's folder"},
        {EntryKind::EmptyFolder, kInstall + "\\Sub", "is neither the uninstaller's folder"},
    };
    for (const Case& c : cases) {
        const auto outside = OutsideTypical(c.kind, c.argument);
        const std::string line = std::string(1, static_cast<char>(c.kind)) + c.argument;
        if (c.outside.empty()) {
            EXPECT_FALSE(outside.has_value()) << line << ": " << *outside;
        } else {
            ASSERT_TRUE(outside.has_value()) << line << " taken as inside";
            EXPECT_NE(outside->find(c.outside), std::string::npos)
                << line << ": \"" << *outside << "\"";
        }
    }
    // The folder that is its own need not carry the product's name: the
    // fallbacks "...\TorvaneP2P\" and "C:\Torvane\".
    EXPECT_FALSE(OutsideOf(Entry{EntryKind::File, "C:\\Torvane\\Torvane.Exe", 2}, "C:\\Torvane")
                     .has_value());
    EXPECT_FALSE(OutsideOf(Entry{EntryKind::Pattern, "D:\\Users\\bob\\*.DAT", 2}, "D:\\Users\\bob")
                     .has_value());
    EXPECT_TRUE(
        OutsideOf(Entry{EntryKind::File, "C:\\Torvane\\Torvane.Exe", 2}, "C:\\Other").has_value());
}

// Lead bytes of a Japanese code page (932): their second byte may be 0x5C,
// the byte of "\\", or 0x7C, that of "|".
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Under a double-byte code page a path is split by character: "\x95\x5C" is
// one character (a kanji), not a name ending before a "\\".
TEST(UninstallConfinement, JudgesPathsByCharacterUnderADoubleByteCodePage) {
    const std::string kanji = "\x95\x5C";  // ends in the byte of "\\"
    struct Case {
        std::string file;
        bool inside;
    } cases[] = {
        {kInstall + "\\" + kanji + ".dat", true},              // a name in the folder
        {kInstall + "\\\x83\x7C.dat", true},                   // a second byte "|" is no "|"
        {"C:\\Evil\\" + kanji + "Torvane P2P\\x.dat", false},  // bytewise: "...\\Torvane P2P"
        {kInstall + "\\" + kanji + "\\x.dat", false},          // a folder below its own
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.leadBytes = ShiftJisLead;
        system.AddFile(kSelf);
        system.AddFile(c.file);
        const std::string list = "Torvane P2P\r\n<F" + c.file + ">\r\n";
        system.recordedDigest = Sha256Hex(list);  // any product folder would do
        std::string product;
        bool removed = false;
        try {
            Uninstall(
                list, kListWritten, kSelf, system, [](const std::string&) { return true; },
                product);
            removed = !system.HasFile(c.file);
        } catch (const ListError& e) {
            EXPECT_FALSE(c.inside) << c.file << ": " << e.what();
        }
        EXPECT_EQ(removed, c.inside) << c.file;
    }
    // Byte by byte, the third would have passed for a file in a product folder.
    EXPECT_FALSE(OutsideOf(Entry{EntryKind::File, cases[2].file, 2}, kInstall).has_value());
}

// Each of the issue's lines in an otherwise typical list: the whole list is
// damaged, nothing is asked and nothing touched.
TEST(UninstallConfinement, ALineOutsideDamagesTheWholeList) {
    const std::string lines[] = {
        "<PC:\\Windows\\*.*>",
        "<FC:\\Windows\\System32\\config\\SAM>",
        "<RSoftware\\Microsoft\\Windows\\CurrentVersion\\Run>",
        "<SStartup>",
        "<FC:\\x\\CON>",
        "<FC:\\PROGRA~1\\Torvane P2P\\Torvane.Exe>",
        "<TDesktop.ini>",
        "<PC:\\Users\\*\\Documents\\*.DAT>",  // not well formed either: also damaged now
    };
    for (const std::string& bad : lines) {
        std::vector<std::string> list = TypicalLines();
        list.insert(list.begin() + 3, bad);
        FakeSystem system;
        system.AddFile(kSelf);
        system.AddFile(kData + "\\Torvane.Dat");
        system.AddFile("C:\\Windows\\System32\\config\\SAM");
        bool asked = false;
        std::string product;
        try {
            Uninstall(
                Join(list), kListWritten, kSelf, system,
                [&](const std::string&) { return asked = true; }, product);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const ListError& e) {
            EXPECT_NE(std::string(e.what()).find("line 4 ("), std::string::npos) << e.what();
        }
        EXPECT_FALSE(asked) << bad;
        EXPECT_TRUE(system.log.empty()) << bad << ": " << system.log.front();
        EXPECT_TRUE(system.HasFile("C:\\Windows\\System32\\config\\SAM"));
    }
}

TEST(UninstallConfinement, TheFirstLineMustNameTheProduct) {
    // Naming another product would make its folders "owned".
    const std::string text = "System32\r\n<FC:\\Windows\\System32\\x.dll>\r\n";
    try {
        MakePlan(ParseUninstallList(text), kSelf);
        ADD_FAILURE() << "another product's name was accepted";
    } catch (const ListError& e) {
        EXPECT_NE(std::string(e.what()).find("the first line names \"System32\""),
                  std::string::npos)
            << e.what();
    }
    EXPECT_NO_THROW(
        MakePlan(ParseUninstallList("TORVANE P2P\r\n<F" + kInstall + "\\Torvane.Exe>\r\n"), kSelf));
    EXPECT_EQ(std::string(kProductName), "Torvane P2P");
}

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
// page lacks), which would name another file.
TEST(UninstallUsersFiles, APatternKeepsWhatItCannotJudge) {
    struct Case {
        std::string name;
        bool unreadableTimes;
        const char* reason;
    } cases[] = {
        {"Nodes.DAT", true, "its times cannot be read"},
        {"a?b.DAT", false, "its name cannot be spelt"},
        {"x\\..\\Torvane.DAT", false, "its name cannot be spelt"},
        {"x/y.DAT", false, "its name cannot be spelt"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        const std::string path = kData + "\\" + c.name;
        system.AddFolder(kData);
        system.files[Lower(path)] = path;
        system.times[Lower(path)] = {kAfter, kAfter};
        if (c.unreadableTimes) system.unreadable.insert(Lower(path));
        if (c.name.find('\\') != std::string::npos) system.oddNames[Lower(kData)] = {c.name};
        const RunResult r = RunPlan(
            MakePlan(ParseUninstallList("Torvane P2P\r\n<P" + kData + "\\*.DAT>\r\n"), kSelf),
            system, kListWritten);
        EXPECT_TRUE(system.HasFile(path)) << c.name;
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

// --- command line ---------------------------------------------------------------------

TEST(UninstallCommandLine, TellsTheModesApart) {
    EXPECT_EQ(ParseInvocation({}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"/s"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/S"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/x", "/s"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/silent"}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"s"}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"/s", "/cleanup"}).mode, Mode::Silent);  // only first
}

TEST(UninstallCommandLine, TheCleanupLineSurvivesTheRoundTrip) {
    const CleanupRequest request{kSelf, 4242, {kInstall, "C:\\Data Folder"}};
    const std::string line =
        CleanupCommandLine("C:\\Temp Dir\\Torvane-Uninstall-4242.exe", request);
    EXPECT_EQ(line, "\"C:\\Temp Dir\\Torvane-Uninstall-4242.exe\" /cleanup \"" + kSelf +
                        "\" 4242 \"" + kInstall + "\" \"C:\\Data Folder\"");
    const Invocation back = ParseInvocation(SplitCommandLine(line));
    ASSERT_EQ(back.mode, Mode::Cleanup);
    EXPECT_EQ(back.cleanup.original, kSelf);
    EXPECT_EQ(back.cleanup.processId, 4242u);
    EXPECT_EQ(back.cleanup.folders, request.folders);
    EXPECT_EQ(ParseInvocation({"/CLEANUP", kSelf, "7"}).cleanup.folders.size(), 0u);
}

TEST(UninstallCommandLine, RefusesAMalformedCleanup) {
    const std::vector<std::vector<std::string>> bad{
        {"/cleanup"},
        {"/cleanup", kSelf},
        {"/cleanup", "Uninstall.Exe", "12"},
        {"/cleanup", kSelf, "12x"},
        {"/cleanup", kSelf, "0"},
        {"/cleanup", kSelf, "99999999999"},
        {"/cleanup", kSelf, "12", "relative\\folder"},
        {"/cleanup", kSelf, "12", "C:\\"},
        {"/cleanup", "C:\\*.exe", "12"},
    };
    for (const auto& params : bad)
        EXPECT_THROW(ParseInvocation(params), ListError) << params.size();
}

}  // namespace
}  // namespace torvane::uninstall
