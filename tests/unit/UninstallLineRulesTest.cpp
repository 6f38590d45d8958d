// Rule: each line of the list is well formed for its kind.
#include <gtest/gtest.h>

#include "fakes/UninstallLists.h"
#include "uninstall/LineRules.h"

namespace torvane::uninstall {
namespace {

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

}  // namespace
}  // namespace torvane::uninstall
