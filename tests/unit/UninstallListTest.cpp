// The uninstaller's portable half: reading UnInstall.dat, the refusal rules,
// the order of the work, "self last", and the report, against an in-memory
// file system and registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/SplitCommandLine.h"
#include "base/Text.h"
#include "uninstall/UninstallList.h"

namespace torvane::uninstall {
namespace {

const std::string kData = "C:\\Users\\me\\AppData\\Local\\Torvane P2P";
const std::string kInstall = "C:\\Program Files\\Torvane P2P";
const std::string kSelf = kInstall + "\\Uninstall.Exe";
const std::string kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
const std::string kPrograms = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
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

// Files, folders and HKLM keys in memory; paths compare without case, as on
// Windows. Every operation is logged in order.
class FakeSystem : public UninstallSystem {
public:
    void AddFolder(const std::string& path) {
        for (std::string p = path; p.size() > 2; p = FolderOf(p)) folders[Lower(p)] = p;
    }
    void AddFile(const std::string& path) {
        AddFolder(FolderOf(path));
        files[Lower(path)] = path;
    }
    bool HasFile(const std::string& path) const { return files.count(Lower(path)) != 0; }
    bool HasFolder(const std::string& path) const { return folders.count(Lower(path)) != 0; }

    Outcome ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        log.push_back("list " + folder);
        entries.clear();
        if (!HasFolder(folder)) return Outcome::NotThere();
        for (const auto& [key, path] : files)
            if (SameText(FolderOf(path), folder)) entries.push_back({NameOf(path), false});
        for (const auto& [key, path] : folders)
            if (SameText(FolderOf(path), folder)) entries.push_back({NameOf(path), true});
        return Outcome::Done();
    }
    Outcome RemoveFile(const std::string& path) override {
        log.push_back("delete " + path);
        if (locked.count(Lower(path))) return Outcome::Error("it is in use");
        return files.erase(Lower(path)) ? Outcome::Done() : Outcome::NotThere();
    }
    Outcome RemoveEmptyFolder(const std::string& path) override {
        log.push_back("rmdir " + path);
        if (!HasFolder(path)) return Outcome::NotThere();
        std::vector<FolderEntry> inside;
        ListFolder(path, inside);
        log.pop_back();
        if (!inside.empty()) return Outcome::Error("it is not empty");
        folders.erase(Lower(path));
        return Outcome::Done();
    }
    Outcome DeleteMachineKey(const std::string& subkey) override {
        log.push_back("regdelete " + subkey);
        return keys.erase(Lower(subkey)) ? Outcome::Done() : Outcome::NotThere();
    }
    Outcome ProgramsFolder(std::string& folder) override {
        folder = programs;
        return programs.empty() ? Outcome::Error("no programs folder") : Outcome::Done();
    }
    Outcome DesktopFolder(std::string& folder) override {
        folder = desktop;
        return Outcome::Done();
    }

    std::map<std::string, std::string> files, folders;
    std::set<std::string> keys, locked;
    std::string programs = kPrograms, desktop = kDesktop;
    std::vector<std::string> log;
};

// A machine with Torvane P2P installed as the typical list describes it, plus
// things of the user's the list does not name.
class Installed : public ::testing::Test {
protected:
    Installed() {
        for (const char* name : {"Torvane.Dat", "Nodes.DAT", "session.tmp", "old.bak", "debug.LOG", "read.txt"})
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

    RunResult RunTypical() { return RunPlan(MakePlan(ParseUninstallList(Join(TypicalLines())), kSelf), system); }

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
    EXPECT_EQ(DamagedListMessage("C:\\P\\UnInstall.dat", "line 3 has no argument"),
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
    EXPECT_THROW(Uninstall(Join(lines), kSelf, system, [&](const std::string&) { return asked = true; }, product),
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
    auto no = Uninstall(text, kSelf, system, [&](const std::string& p) { askedAbout = p; return false; }, product);
    EXPECT_FALSE(no.has_value());
    EXPECT_EQ(askedAbout, "Torvane P2P");
    EXPECT_EQ(product, "Torvane P2P");
    EXPECT_TRUE(system.log.empty());
    auto yes = Uninstall(text, kSelf, system, [](const std::string&) { return true; }, product);
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
        {EntryKind::MachineKey, "SYSTEM\\CurrentControlSet\\Services\\x", "not a key below Software"},
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
            EXPECT_FALSE(refusal.has_value()) << static_cast<char>(c.kind) << c.argument << ": " << *refusal;
        } else {
            ASSERT_TRUE(refusal.has_value()) << static_cast<char>(c.kind) << c.argument << " accepted";
            EXPECT_NE(refusal->find(c.refusal), std::string::npos)
                << static_cast<char>(c.kind) << c.argument << ": \"" << *refusal << "\", want \"" << c.refusal << "\"";
        }
    }
}

TEST(UninstallRefusals, RefusedLinesTouchNothingAndAreReported) {
    FakeSystem system;
    system.AddFile("C:\\Users\\me\\Documents\\letter.DAT");
    system.AddFile("C:\\important.DAT");
    system.AddFile(kInstall + "\\Torvane.Exe");
    const UninstallList list = ParseUninstallList("Torvane P2P\r\n<PC:\\Users\\*\\Documents\\*.DAT>\r\n"
                                                  "<PC:\\*.DAT>\r\n<F" + kInstall + "\\Torvane.Exe>\r\n");
    const RunResult r = RunPlan(MakePlan(list, kSelf), system);
    EXPECT_EQ(system.log, std::vector<std::string>{"delete " + kInstall + "\\Torvane.Exe"});
    EXPECT_TRUE(system.HasFile("C:\\Users\\me\\Documents\\letter.DAT"));
    EXPECT_TRUE(system.HasFile("C:\\important.DAT"));
    ASSERT_EQ(r.items.size(), 3u);
    EXPECT_EQ(r.items[0].state, ItemState::Refused);
    EXPECT_EQ(r.items[0].what, "line 2 (files C:\\Users\\*\\Documents\\*.DAT)");
    EXPECT_EQ(r.items[1].reason, "refused: it names files in the root of a drive");
    EXPECT_EQ(r.items[2].state, ItemState::Removed);
    EXPECT_FALSE(EverythingRemoved(r));
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
    EXPECT_EQ(std::count_if(plan.begin(), plan.end(), [](const Step& s) { return s.removesSelf; }), 1);
    // Everything else in list order: the self line (line 11) is missing between 10 and 12.
    std::vector<int> lines;
    for (const Step& s : plan) lines.push_back(s.entry.line);
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 11}));
    for (const Step& s : plan) EXPECT_TRUE(s.refusal.empty()) << s.entry.argument << ": " << s.refusal;
}

TEST(UninstallPlan, NamesTheProgramOnceAndOnlyWhenTheListDoes) {
    std::vector<std::string> lines = TypicalLines();
    lines.push_back("<F" + kSelf + ">");
    const std::vector<Step> twice = MakePlan(ParseUninstallList(Join(lines)), kSelf);
    EXPECT_EQ(twice.size(), 16u);  // the second mention is dropped
    EXPECT_TRUE(twice.back().removesSelf);

    // Run from elsewhere (a copy): its own path is not in the list, so the
    // list's Uninstall.Exe is an ordinary file deleted in its place.
    const std::vector<Step> other = MakePlan(ParseUninstallList(Join(TypicalLines())), "C:\\Temp\\Uninstall.Exe");
    EXPECT_EQ(other.size(), 16u);
    EXPECT_TRUE(std::none_of(other.begin(), other.end(), [](const Step& s) { return s.removesSelf; }));
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
        "delete " + kData + "\\Nodes.DAT",
        "delete " + kData + "\\Torvane.Dat",
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
}

TEST_F(Installed, SettlingTheSelfRemovalDecidesTheOutcome) {
    RunResult copy = RunTypical();
    SettleSelfRemoval(copy, SelfRemoval::ByCopy);
    EXPECT_TRUE(EverythingRemoved(copy));
    EXPECT_EQ(ReportMessage("Torvane P2P", copy), "Torvane P2P has been removed from your computer.");

    RunResult restart = RunTypical();
    SettleSelfRemoval(restart, SelfRemoval::AtRestart);
    EXPECT_TRUE(EverythingRemoved(restart));
    EXPECT_EQ(ReportMessage("Torvane P2P", restart),
              "Torvane P2P has been removed from your computer.\n\nThese items will be removed when Windows "
              "restarts:\n\nfolder " + kInstall + "\nfile " + kSelf);
}

TEST(UninstallRun, ReportsWhatCouldNotBeRemovedAndCarriesOnAfterAFailure) {
    FakeSystem system;
    system.AddFile(kInstall + "\\Torvane.Exe");
    system.AddFile(kInstall + "\\Uninstall.Exe");
    system.AddFile(kInstall + "\\My notes.txt");  // not named: keeps the folder
    system.locked.insert(Lower(kInstall + "\\Torvane.Exe"));
    system.programs.clear();
    const std::string text = "Torvane P2P\r\n<F" + kInstall + "\\Torvane.Exe>\r\n<F" + kSelf + ">\r\n<E" +
                             kInstall + ">\r\n<STorvane P2P>\r\n<R" + kKey + ">\r\n";
    RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system);
    // The key (absent) was still tried after the failures before it.
    EXPECT_EQ(system.log.back(), "regdelete " + kKey);
    EXPECT_TRUE(r.foldersAfterSelf.empty());  // the notes keep the folder, not the program
    SettleSelfRemoval(r, SelfRemoval::Failed, "no temporary folder");
    EXPECT_FALSE(EverythingRemoved(r));
    EXPECT_EQ(ReportMessage("Torvane P2P", r),
              "Torvane P2P has been removed, except for these items, which could not be:\n\n"
              "file " + kInstall + "\\Torvane.Exe: it is in use\n"
              "folder " + kInstall + ": it is not empty\n"
              "Start-menu group Torvane P2P: no programs folder\n"
              "file " + kSelf + ": no temporary folder\n\n"
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
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system);
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
    const std::string text = "Torvane P2P\r\n<F" + self + ">\r\n<E" + bin + ">\r\n<E" + kInstall +
                             "\\>\r\n<FC:\\gone\\x.dat>\r\n<PC:\\gone\\*.dat>\r\n<EC:\\gone>\r\n<TTorvane.lnk>\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), self), system);
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
    const std::string text = "Torvane P2P\r\n<E" + kData + ">\r\n<F" + kData + "\\QVInst.Dat>\r\n<E" + kData +
                             ">\r\n<E" + kInstall + ">\r\n<F" + kInstall + "\\Torvane.Exe>\r\n<E" + kInstall +
                             ">\r\n";
    const RunResult r = RunPlan(MakePlan(ParseUninstallList(text), kSelf), system);
    EXPECT_FALSE(system.HasFolder(kData));
    // The data folder failed first, then went: no failure left for it.
    EXPECT_EQ(std::count_if(r.items.begin(), r.items.end(),
                            [](const Item& i) { return i.what == "folder " + kData; }),
              1);
    EXPECT_EQ(FindItem(r, "folder " + kData)->state, ItemState::Removed);
    // The install folder failed twice for the same reason: reported once.
    EXPECT_EQ(ReportMessage("Torvane P2P", r),
              "Torvane P2P has been removed, except for these items, which could not be:\n\n"
              "folder " + kInstall + ": it is not empty\n\nYou may delete them yourself.");
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
    const std::string line = CleanupCommandLine("C:\\Temp Dir\\Torvane-Uninstall-4242.exe", request);
    EXPECT_EQ(line, "\"C:\\Temp Dir\\Torvane-Uninstall-4242.exe\" /cleanup \"" + kSelf + "\" 4242 \"" + kInstall +
                        "\" \"C:\\Data Folder\"");
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
    for (const auto& params : bad) EXPECT_THROW(ParseInvocation(params), ListError) << params.size();
}

}  // namespace
}  // namespace torvane::uninstall
