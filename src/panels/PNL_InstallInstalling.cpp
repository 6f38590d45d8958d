#include "panels/PNL_InstallInstalling.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/QvButtonBar.h"
#include "base/Exceptions.h"
#include "base/InstallLayout.h"
#include "base/PathNames.h"
#include "base/Sha256.h"
#include "base/UninstallRecord.h"
#include "lib/EnsureFolder.h"
#include "lib/InstallFolderRights.h"
#include "lib/LIB_FolderHelpers.h"
#include "lib/Rounding.h"
#include "lib/Sequence.h"
#include "panels/ParentColors.h"
#include "panels/ProgressControls.h"
#include "panels/StartMenuLinks.h"
#include "payload/ExtractPayload.h"
#include "payload/GB_Payloads.h"
#include "payload/SeedDataFile.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace torvane {

namespace {

bool FileExists(platform::FileSystem& files, const std::string& path) {
    const std::optional<std::uint32_t> attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) == 0;
}

// A read-only file is made writable first: the attribute alone would keep it.
void DeleteIfPresent(platform::FileSystem& files, const std::string& path) {
    if (!FileExists(files, path)) return;
    platform::ClearReadOnly(files, path);
    files.DeleteFile(path);
}

// A file cut short (a full disk) is removed: half a list is no list.
void WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text) {
    std::unique_ptr<platform::WritableFile> file = files.CreateFile(path);
    try {
        file->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        file->Close();
    } catch (...) {
        file.reset();
        files.DeleteFile(path);
        throw;
    }
}

}  // namespace

TPNLInstallInstalling::TPNLInstallInstalling(Navigator& navigator)
    : TFramePanel(navigator, "PNLInstallInstalling", "Installing Torvane P2P"),
      Label12(this, "Label12"),
      ProgressBar1(this, "ProgressBar1") {
    PlaceProgressControls(Label12, ProgressBar1);
    UseParentColors(*this);
}

void TPNLInstallInstalling::BeforeShow() { SetProgress(0); }

void TPNLInstallInstalling::SetProgress(int position) {
    ReportProgress(position, &ProgressBar1, &Label12, Nav().App());
}

void TPNLInstallInstalling::SetPercent(int percent) {
    SetProgress(static_cast<int>(
        RoundHalfEven(static_cast<std::int64_t>(ProgressBar1.Max()) * percent, 100)));
}

void TPNLInstallInstalling::WriteDataFile(const std::string& path) {
    platform::Platform& os = Nav().Platform();
    const DataFileServices services{os.files, os.guids, os.clock,
                                    [this](int percent) { SetPercent(percent); }};
    folders_.downloadDir = ::torvane::WriteDataFile(
        path,
        {folders_.workDir, folders_.downloadDir, choices_.sourceCode, choices_.connectionType},
        services);
}

void TPNLInstallInstalling::EnsureFolder(const std::string& path) {
    ::torvane::EnsureFolder(Nav().Platform().files, path);
}

void TPNLInstallInstalling::CreateShortcut(const std::string& target, const std::string& linkFile,
                                           const std::string& description, int iconIndex,
                                           const std::string& arguments) {
    Nav().Platform().shell.CreateShortcut(target, linkFile, description, iconIndex, arguments);
}

bool TPNLInstallInstalling::WriteUninstallEntry(const std::string& listText) {
    platform::Registry& registry = Nav().Platform().registry;
    const bool named =
        registry.SetLocalMachineString(layout::kUninstallKey, "DisplayName", layout::kProductName);
    // Quoted, so that the system cannot take a part of a path with blanks
    // for the program to run.
    const bool command = registry.SetLocalMachineString(
        layout::kUninstallKey, "UninstallString",
        "\"" + folders_.installDir + layout::kUninstaller.name + "\"");
    const bool digest = registry.SetLocalMachineString(
        layout::kUninstallKey, kUninstallListDigestValue, Sha256Hex(listText));
    return named && command && digest;
}

std::string TPNLInstallInstalling::Writing(const layout::InstalledFile& file) {
    writing_.push_back(&file);
    return PathOf(file, folders_.installDir, folders_.userDataDir);
}

InstalledSoFar TPNLInstallInstalling::WhatIsInstalled() {
    platform::FileSystem& files = Nav().Platform().files;
    InstalledSoFar installed;
    if (folderSettled_) installed.installDir = folders_.installDir;
    if (dataFolderSettled_) {
        installed.userDataDir = folders_.userDataDir;
        installed.workDir = folders_.workDir;
    }
    for (const layout::InstalledFile* file : writing_)
        if (FileExists(files, PathOf(installed, *file))) installed.files.push_back(file);
    // The entry is written only beside an uninstaller that can carry it out.
    installed.uninstallEntry =
        folderSettled_ && FileExists(files, PathOf(installed, layout::kUninstaller));
    installed.startMenuGroup = startMenuGroup_;
    installed.desktopShortcut = desktopShortcut_;
    return installed;
}

std::vector<SequenceStep> TPNLInstallInstalling::Steps() {
    platform::Platform& os = Nav().Platform();
    platform::FileSystem& files = os.files;
    choices_ = ChoicesFromInstallState();
    folders_ = FoldersFromInstallState();
    writing_.clear();
    folderSettled_ = dataFolderSettled_ = startMenuGroup_ = desktopShortcut_ = false;
    listWritten_ = false;
    // The client moves the bar; the other two only keep the window alive.
    const PayloadServices withBar{files, BarProgress(&ProgressBar1, &Label12, Nav().App())};
    const PayloadServices quietly{files, BarProgress(nullptr, nullptr, Nav().App())};
    const auto percent = [this](int value) {
        return EssentialStep(std::to_string(value) + " %", [this, value] { SetPercent(value); });
    };
    const auto inInstallation = [this](const char* name) { return folders_.installDir + name; };

    std::vector<SequenceStep> steps = {
        // The chosen folder, else the first of the fallbacks that can be
        // made. A fallback the system cannot name is left out rather than
        // tried as a path from the root of the current drive. An existing
        // folder is taken only while it is the installation's own (the
        // chosen one was judged on the folder panel; what changed since
        // ends here); a folder made here gets rights of its own.
        EssentialStep(
            "installation folder",
            [this, &os, &files] {
                const auto programFiles =
                    os.shell.FolderPath(platform::SpecialFolder::ProgramFiles);
                std::vector<std::string> candidates = {
                    WithBackslash(choices_.installDir, files.LeadBytes())};
                if (programFiles)
                    candidates.push_back(*programFiles + "\\" + layout::kProgramFilesFallbackName +
                                         "\\");
                if (auto localData = os.shell.FolderPath(platform::SpecialFolder::LocalAppData))
                    candidates.push_back(*localData + "\\" + layout::kDataFolderName + "\\");
                candidates.push_back(layout::kLastFallbackFolder);
                folders_.installDir = SettleInstallationFolder(files, candidates, programFiles);
                folderSettled_ = true;
            }),
        // The per-user data folder; the installation folder when there is none
        // or it cannot be made.
        EssentialStep("data folder",
                      [this, &os] {
                          const auto localData =
                              os.shell.FolderPath(platform::SpecialFolder::LocalAppData);
                          folders_.userDataDir =
                              localData ? *localData + "\\" + layout::kDataFolderName + "\\"
                                        : folders_.installDir;
                      }),
        QuietStep(
            "data folder made",
            [this, &files] {
                EnsureFolder(folders_.userDataDir);
                if (!FolderExists(files, folders_.userDataDir))
                    folders_.userDataDir = folders_.installDir;
            },
            [this] { folders_.userDataDir = folders_.installDir; }),
        EssentialStep("work folder",
                      [this] {
                          folders_.workDir = folders_.userDataDir;
                          dataFolderSettled_ = true;
                      }),
        // Old files of an earlier installation go before new ones are
        // written; one that cannot be deleted is written over or left.
        QuietStep("old client deleted",
                  [&files, inInstallation] {
                      DeleteIfPresent(files, inInstallation(layout::kClient.name));
                  }),
        EssentialStep("client",
                      [this, withBar] {
                          GB_TorvaneP2P_exe::ExtractPayload(Writing(layout::kClient), withBar);
                      }),
        QuietStep("uninstaller",
                  [this, quietly] {
                      GB_Uninstall_exe::ExtractPayload(Writing(layout::kUninstaller), quietly);
                  }),
        QuietStep("old data file deleted",
                  [&files, inInstallation] {
                      DeleteIfPresent(files, inInstallation(layout::kDataFile.name));
                  }),
        QuietStep("old backup deleted",
                  [&files, inInstallation] {
                      DeleteIfPresent(files, inInstallation(layout::kDataBackup.name));
                  }),
        QuietStep("toolbar",
                  [this, &os, quietly] {
                      if (!choices_.installToolbar) return;
                      const std::string toolbar = Writing(layout::kToolbarInstaller);
                      GB_torvane_toolbar_exe::ExtractPayload(toolbar, quietly);
                      os.processes.Start(toolbar, "\"" + toolbar + "\" /s -silent",
                                         platform::ShowMode::Minimized, false);
                  }),
        percent(90),
        // A group that cannot be made may exist already: the links are tried
        // all the same.
        QuietStep("start-menu group",
                  [this, &os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs)) {
                          startMenuGroup_ = true;
                          EnsureFolder(*programs + "\\" + layout::kStartMenuGroup);
                      }
                  }),
        // A failing link ends this step: the rest of it (92 % and the desktop
        // shortcut) is left out.
        QuietStep("shortcuts",
                  [this, &os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                          CreateStartMenuLinks(os.shell, *programs + "\\" + layout::kStartMenuGroup,
                                               folders_.installDir, "/p2p/help");
                      SetPercent(92);
                      if (!choices_.desktopShortcut) return;
                      if (auto desktop = os.shell.FolderPath(platform::SpecialFolder::Desktop)) {
                          desktopShortcut_ = true;
                          CreateShortcut(folders_.installDir + layout::kClient.name,
                                         *desktop + "\\" + layout::kClientShortcut, "Torvane P2P",
                                         0, "");
                      }
                  }),
        percent(93),
        EssentialStep("user data file", [this] { WriteDataFile(Writing(layout::kDataFile)); }),
        QuietStep("installation data file",
                  [this] { WriteDataFile(Writing(layout::kInstallationDataFile)); }),
    };
    for (SequenceStep& step : RecordingSteps()) steps.push_back(std::move(step));
    return steps;
}

std::vector<SequenceStep> TPNLInstallInstalling::RecordingSteps() {
    platform::FileSystem& files = Nav().Platform().files;
    return {
        // Names what is there now, so that the uninstaller removes all of
        // it, also when an essential step failed.
        QuietStep("uninstall list",
                  [this, &files] {
                      const InstalledSoFar installed = WhatIsInstalled();
                      if (!folderSettled_ || installed.files.empty()) return;
                      listText_ = UninstallListText(installed);
                      WriteTextFile(files, Writing(layout::kUninstallList), listText_);
                      listWritten_ = true;
                  }),
        // The entry and the list's digest go where only administrators can
        // write: the uninstaller carries out no list that lacks it. A
        // standard user's setup cannot write them, and its uninstaller then
        // touches less (carried/uninstall/ListDigest.h). No entry stands
        // without its list and the uninstaller beside it.
        QuietStep("uninstall entry",
                  [this] {
                      if (!listWritten_ || !WhatIsInstalled().uninstallEntry) return;
                      if (!WriteUninstallEntry(listText_))
                          throw Exception("the uninstall entry could not be written");
                  }),
    };
}

void TPNLInstallInstalling::AfterShow() {
    // The bar covers both extractions and a tenth more for the rest.
    ProgressBar1.SetMax(static_cast<int>(kPayloadProgressMaximum));
    ProgressBar1.SetMax(ProgressBar1.Max() + ProgressBar1.Max() / 10);

    {
        const WorkInProgress working(Nav());
        QuietFailures.clear();
        const std::vector<SequenceStep> steps = Steps();
        try {
            RunSequence(steps, QuietFailures);
        } catch (...) {
            // Nothing done is undone; what was done is listed for the
            // uninstaller before the error panel shows.
            RunSequence(RecordingSteps(), QuietFailures);
            StoreInInstallState(folders_);
            throw;
        }
        StoreInInstallState(folders_);
    }
    Nav().ShowPanel("PNLInstallReady", true);
}

}  // namespace torvane
