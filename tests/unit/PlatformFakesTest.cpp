// The fakes other tests build on: the drive-backed file system must fail as
// the system does, or the install sequence's fallbacks are tested against
// the wrong answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "base/Exceptions.h"
#include "fakes/DriveFileSystem.h"
#include "fakes/FakeShell.h"
#include "fakes/HeadlessHost.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingProcesses.h"
#include "fakes/TempDrives.h"
#include "fakes/WizardFixture.h"

namespace torvane::testing {
namespace {

using platform::DriveType;

void Write(platform::FileSystem& files, const std::string& path, const std::string& text) {
    auto file = files.CreateFile(path);
    file->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    file->Close();
}

// The reason of the EFCreateError CreateFile raised, "" when it raised none.
std::string CreateFailure(platform::FileSystem& files, const std::string& path) {
    try {
        files.CreateFile(path);
    } catch (const EFCreateError& e) {
        return e.Reason();
    }
    return "";
}

class Drives : public ::testing::Test {
protected:
    Drives() {
        drives.Add('C', DriveType::Fixed);
        drives.Add('e', DriveType::Removable);
    }
    TempDrives drives;
    DriveFileSystem files{drives};
};

TEST_F(Drives, LettersTypesAndHostPaths) {
    EXPECT_EQ(drives.Letters(), (std::vector<char>{'C', 'E'}));
    EXPECT_EQ(drives.TypeOf("C:\\"), DriveType::Fixed);
    EXPECT_EQ(drives.TypeOf("e:\\"), DriveType::Removable);
    EXPECT_EQ(drives.TypeOf("D:\\"), DriveType::NoRootDirectory);
    EXPECT_EQ(drives.TypeOf("C:"), DriveType::NoRootDirectory);

    EXPECT_EQ(drives.HostPath("c:\\a\\b"), drives.Root() / "C" / "a" / "b");
    EXPECT_EQ(drives.HostPath("C:\\a/b\\\\c\\"), drives.Root() / "C" / "a" / "b" / "c");
    EXPECT_EQ(drives.HostPath("D:\\a"), std::nullopt);
    // Resolved as the system resolves it: never above the drive's root.
    EXPECT_EQ(drives.HostPath("C:\\a\\..\\..\\x"), drives.Root() / "C" / "x");
    EXPECT_EQ(drives.HostPath("C:\\a\\.\\b. "), drives.Root() / "C" / "a" / "b");
    EXPECT_EQ(drives.HostPath("\\\\server\\share"), std::nullopt);
}

// Windows finds a file whatever the letter case of its name; a fake that did
// not would let DeleteIfPresent("torvane.exe") pass without finding
// "Torvane.Exe". An existing file keeps its own spelling when written again.
TEST_F(Drives, NamesAreFoundWithoutRegardToCaseAsOnWindows) {
    MemoryFileSystem memory;
    for (platform::FileSystem* fs : std::initializer_list<platform::FileSystem*>{&files, &memory}) {
        ASSERT_EQ(fs->CreateFolder("C:\\Apps"), 0);
        Write(*fs, "C:\\Apps\\Torvane.Exe", "old");
        EXPECT_EQ(fs->CreateFolder("c:\\APPS"), 183);
        EXPECT_EQ(fs->Attributes("c:\\apps\\TORVANE.EXE"), 0x20u);
        Write(*fs, "C:\\APPS\\torvane.exe", "new");  // the same file
        EXPECT_EQ(fs->SubFolders("C:\\", false), std::vector<std::string>{"Apps"});
        EXPECT_TRUE(fs->DeleteFile("C:\\apps\\torvane.exe"));
        EXPECT_EQ(fs->Attributes("C:\\Apps\\Torvane.Exe"), std::nullopt);
    }
    files.uncreatable = {"C:\\Apps\\Uninstall.Exe"};
    EXPECT_NE(CreateFailure(files, "c:\\apps\\UNINSTALL.EXE"), "");
    Write(files, "C:\\Apps\\Torvane.Exe", "x");
    Write(files, "c:\\apps\\TORVANE.EXE", "y");
    EXPECT_TRUE(std::filesystem::exists(drives.Root() / "C" / "Apps" / "Torvane.Exe"));
    EXPECT_FALSE(std::filesystem::exists(drives.Root() / "C" / "Apps" / "TORVANE.EXE"));
    EXPECT_EQ(files.ReadText("C:\\Apps\\Torvane.Exe"), "y");
}

TEST_F(Drives, FilesAreRealAndReplaceable) {
    Write(files, "C:\\x.new", "new");
    Write(files, "C:\\x.exe", "old");
    EXPECT_EQ(files.Attributes("C:\\x.exe"), 0x20u);
    EXPECT_EQ(files.ReplaceFile("C:\\x.new", "C:\\x.exe"), 0);
    EXPECT_EQ(files.ReadText("C:\\x.exe"), "new");
    EXPECT_EQ(files.ReadText("C:\\x.new"), std::nullopt);
    EXPECT_EQ(files.ReplaceFile("C:\\x.new", "C:\\x.exe"), 2);
    EXPECT_TRUE(files.DeleteFile("C:\\x.exe"));
    EXPECT_FALSE(files.DeleteFile("C:\\x.exe"));

    files.capacity = 4;
    auto file = files.CreateFile("C:\\full.bin");
    const std::uint8_t bytes[6] = {1, 2, 3, 4, 5, 6};
    try {
        file->Write(bytes, sizeof bytes);
        ADD_FAILURE() << "a write beyond the capacity succeeded";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 112);
    }
    file->Close();
    EXPECT_EQ(files.ReadText("C:\\full.bin"), std::string("\1\2\3\4"));
}

TEST_F(Drives, FailuresCarryTheSystemsNumbers) {
    files.MakeFolders("C:\\Program Files\\Old");
    files.readOnlyFolders.insert("C:\\Program Files");
    files.uncreatable.insert("C:\\run.exe");
    Write(files, "C:\\x.new", "x");

    EXPECT_EQ(CreateFailure(files, "C:\\no\\x.txt"), files.ErrorText(3));
    EXPECT_EQ(CreateFailure(files, "D:\\x.txt"), files.ErrorText(3));
    EXPECT_EQ(CreateFailure(files, "C:\\a?.txt"), files.ErrorText(123));
    EXPECT_EQ(CreateFailure(files, "C:\\Program Files\\x.txt"), "Access is denied");
    EXPECT_EQ(CreateFailure(files, "C:\\Program Files\\Old\\x.txt"),
              "Access is denied");  // the whole tree
    EXPECT_EQ(CreateFailure(files, "C:\\run.exe"), files.ErrorText(32));
    EXPECT_EQ(CreateFailure(files, "C:\\Program Files"), "Access is denied");  // a folder
    EXPECT_EQ(CreateFailure(files, "C:\\ok.txt"), "");

    EXPECT_EQ(files.ReplaceFile("C:\\x.new", "C:\\run.exe"), 32);
    EXPECT_EQ(files.ReplaceFile("C:\\x.new", "C:\\Program Files\\x.exe"), 5);
    EXPECT_EQ(files.ReplaceFile("C:\\x.new", "C:\\no\\x.exe"), 3);
    EXPECT_EQ(files.ReadText("C:\\x.new"), "x");  // nothing moved

    EXPECT_EQ(files.CreateFolder("C:\\Program Files\\Torvane P2P"), 5);
    EXPECT_EQ(files.CreateFolder("C:\\Program Files"), 183);
    EXPECT_EQ(files.CreateFolder("C:\\a\\b"), 3);
    EXPECT_EQ(files.CreateFolder("C:\\a"), 0);
    EXPECT_EQ(files.CreateFolder("C:\\a\\b\\"), 0);
    EXPECT_EQ(files.Attributes("C:\\a\\b"), platform::kAttributeDirectory);
    EXPECT_EQ(files.CreateFolder("C:\\a<b"), 123);
}

TEST_F(Drives, HiddenFoldersAreListedOnlyWhenAsked) {
    for (const char* name : {"C:\\Users\\b", "C:\\Users\\a", "C:\\Users\\c"})
        files.MakeFolders(name);
    files.WriteText("C:\\Users\\file.txt", "not a folder");
    files.hidden.insert("C:\\Users\\c");
    EXPECT_EQ(files.SubFolders("C:\\Users", false), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(files.SubFolders("C:\\Users\\", true), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(files.Attributes("C:\\Users\\c\\"),
              platform::kAttributeDirectory | platform::kAttributeHidden);
    EXPECT_TRUE(files.SubFolders("C:\\None", true).empty());
}

TEST_F(Drives, ShellRecordsShortcutsAndWritesTheLinkFile) {
    FakeShell shell(files);
    EXPECT_EQ(shell.FolderPath(platform::SpecialFolder::Desktop), std::nullopt);
    shell.folders[platform::SpecialFolder::Desktop] = "C:\\Desktop";

    files.MakeFolders("C:\\Desktop");
    shell.CreateShortcut("C:\\T\\Torvane.Exe", "C:\\Desktop\\Torvane.lnk", "Torvane P2P", 0, "/x");
    shell.CreateShortcut("C:\\T\\Torvane.Exe", "C:\\Gone\\Torvane.lnk", "d", -1, "");
    ASSERT_EQ(shell.shortcuts.size(), 2u);
    const Shortcut& saved = shell.shortcuts[0];
    EXPECT_EQ(saved.target, "C:\\T\\Torvane.Exe");
    EXPECT_EQ(saved.description, "Torvane P2P");
    EXPECT_EQ(saved.iconIndex, 0);
    EXPECT_EQ(saved.arguments, "/x");
    EXPECT_TRUE(saved.saved);
    EXPECT_TRUE(files.Attributes("C:\\Desktop\\Torvane.lnk"));
    EXPECT_FALSE(shell.shortcuts[1].saved);

    shell.refuseShortcuts = true;
    EXPECT_THROW(shell.CreateShortcut("a", "C:\\Desktop\\b.lnk", "", 0, ""), Exception);
    EXPECT_EQ(shell.shortcuts.size(), 2u);
}

TEST(RecordingProcesses, EndProcessStopsTheHandlerSilently) {
    HeadlessHost host;
    ui::Application app(host);
    std::vector<std::string> reported;
    app.SetExceptionHandler([&](const std::exception& e) { reported.push_back(e.what()); });
    RecordingProcesses processes;
    bool after = false;
    app.Dispatch([&] {
        processes.EndProcess(3);
        after = true;
    });
    EXPECT_EQ(processes.exitCode, 3);
    EXPECT_FALSE(after);
    EXPECT_TRUE(reported.empty());
}

TEST(WizardPlatform, SpecialFoldersExistAndPrepareRunsBeforeTheForm) {
    bool sawNoForm = false;
    Wizard wizard({}, [&](Wizard& w) {
        sawNoForm = FormMain == nullptr;
        w.shell.folders.erase(platform::SpecialFolder::Desktop);
    });
    EXPECT_TRUE(sawNoForm);
    EXPECT_EQ(wizard.shell.FolderPath(platform::SpecialFolder::Desktop), std::nullopt);
    const auto programFiles =
        wizard.platform.shell.FolderPath(platform::SpecialFolder::ProgramFiles);
    ASSERT_TRUE(programFiles);
    EXPECT_EQ(wizard.platform.files.Attributes(*programFiles), platform::kAttributeDirectory);
    EXPECT_EQ(wizard.platform.drives.TypeOf("E:\\"), DriveType::Removable);
}

}  // namespace
}  // namespace torvane::testing
