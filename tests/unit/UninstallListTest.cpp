// The uninstall list's format: what UnInstall.dat may hold, and that a
// damaged list is refused as a whole before anything is asked or touched.
#include <gtest/gtest.h>

#include "fakes/UninstallLists.h"
#include "uninstall/Report.h"
#include "uninstall/UninstallList.h"

namespace torvane::uninstall {
namespace {

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

}  // namespace
}  // namespace torvane::uninstall
