// Rule: each line points inside the installation (and paths are split by
// character under a double-byte code page).
#include <gtest/gtest.h>

#include "base/Sha256.h"
#include "fakes/CodePages.h"
#include "fakes/UninstallLists.h"
#include "uninstall/Confinement.h"
#include "uninstall/Plan.h"

namespace torvane::uninstall {
namespace {

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

using testing::ShiftJisLead;  // a second byte may be 0x5C ("\\") or 0x7C ("|")

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

// Each of the lines in an otherwise typical list: the whole list is
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

}  // namespace
}  // namespace torvane::uninstall
