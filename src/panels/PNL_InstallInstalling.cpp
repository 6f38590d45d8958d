#include "panels/PNL_InstallInstalling.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "base/Exceptions.h"
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

const char* const kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
const char* const kProductName = "Torvane P2P";
const char* const kShortcutName = "Torvane P2P.Lnk";
const char* const kToolbarName = "Torvane_toolbar.exe";

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

// What the uninstaller removes, in the order it removes it: the client's
// working files, the programs and data files, the folders once empty, the
// registry entry and the shortcuts. The first line names the product. The
// toolbar installer, when it was written, is named before the installation
// folder's E line, or it would keep the folder.
std::string UninstallListText(bool toolbarWritten) {
    std::vector<std::string> lines = {
        kProductName,
        "<P" + WorkDir + "*.QCF>",
        "<P" + WorkDir + "*.QCV>",
        "<P" + WorkDir + "*.QTH>",
        "<P" + WorkDir + "*.DAT>",
        "<P" + WorkDir + "*.GET>",
        "<E" + WorkDir + ">",
        "<F" + InstallDir + "Torvane.Exe>",
        "<F" + UserDataDir + "Torvane.dat>",
        "<F" + UserDataDir + "Torvane.bak>",
        "<F" + InstallDir + "QVInst.dat>",
        "<F" + InstallDir + "Uninstall.Exe>",
        "<F" + InstallDir + "Uninstall.Dat>",
    };
    if (toolbarWritten) lines.push_back("<F" + InstallDir + kToolbarName + ">");
    lines.insert(lines.end(), {
                                  "<E" + InstallDir + ">",
                                  "<E" + UserDataDir + ">",
                                  std::string("<R") + kUninstallKey + ">",
                                  std::string("<S") + kProductName + ">",
                              });
    if (DesktopShortcut) lines.push_back(std::string("<T") + kShortcutName + ">");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

void WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text) {
    std::unique_ptr<platform::WritableFile> file = files.CreateFile(path);
    file->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    file->Close();
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
    DownloadDir = ::torvane::WriteDataFile(path, {WorkDir, DownloadDir, SourceCode, ConnectionType},
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

bool TPNLInstallInstalling::WriteUninstallEntry() {
    platform::Registry& registry = Nav().Platform().registry;
    const bool named = registry.SetLocalMachineString(kUninstallKey, "DisplayName", kProductName);
    // Quoted, so that the system cannot take a part of a path with blanks
    // for the program to run.
    const bool command = registry.SetLocalMachineString(kUninstallKey, "UninstallString",
                                                        "\"" + InstallDir + "Uninstall.Exe\"");
    return named && command;
}

std::vector<SequenceStep> TPNLInstallInstalling::Steps() {
    platform::Platform& os = Nav().Platform();
    platform::FileSystem& files = os.files;
    // The client moves the bar; the other two only keep the window alive.
    const PayloadServices withBar{files, BarProgress(&ProgressBar1, &Label12, Nav().App())};
    const PayloadServices quietly{files, BarProgress(nullptr, nullptr, Nav().App())};
    const auto percent = [this](int value) {
        return EssentialStep(std::to_string(value) + " %", [this, value] { SetPercent(value); });
    };

    return {
        // The chosen folder, else the first of the fallbacks that can be
        // made. A fallback the system cannot name is left out rather than
        // tried as a path from the root of the current drive. An existing
        // folder is taken only while it is the installation's own (the
        // chosen one was judged on the folder panel; what changed since
        // ends here); a folder made here gets rights of its own.
        EssentialStep("installation folder",
                      [this, &os, &files] {
                          InstallDir = WithBackslash(InstallDir, os.files.LeadBytes());
                          const auto programFiles =
                              os.shell.FolderPath(platform::SpecialFolder::ProgramFiles);
                          std::vector<std::string> candidates = {InstallDir};
                          if (programFiles) candidates.push_back(*programFiles + "\\TorvaneP2P\\");
                          if (auto localData =
                                  os.shell.FolderPath(platform::SpecialFolder::LocalAppData))
                              candidates.push_back(*localData + "\\Torvane P2P\\");
                          candidates.push_back("C:\\Torvane\\");
                          for (std::size_t i = 0; i < candidates.size(); ++i) {
                              InstallDir = candidates[i];
                              const bool last = i + 1 == candidates.size();
                              if (FolderExists(files, InstallDir)) {
                                  const auto why = WhyNotInstallationFolder(files, InstallDir);
                                  if (!why) return;
                                  if (i == 0 || last)
                                      throw Exception("Cannot install Torvane P2P in " +
                                                      InstallDir + " because " + *why + ".");
                                  continue;
                              }
                              try {
                                  MakeInstallationFolder(files, InstallDir, programFiles);
                              } catch (const EInOutError&) {
                                  if (last) throw;
                              }
                              if (FolderExists(files, InstallDir)) break;
                          }
                      }),
        // The per-user data folder; the installation folder when there is none
        // or it cannot be made.
        EssentialStep("data folder",
                      [&os] {
                          const auto localData =
                              os.shell.FolderPath(platform::SpecialFolder::LocalAppData);
                          UserDataDir = localData ? *localData + "\\Torvane P2P\\" : InstallDir;
                      }),
        QuietStep(
            "data folder made",
            [this, &files] {
                EnsureFolder(UserDataDir);
                if (!FolderExists(files, UserDataDir)) UserDataDir = InstallDir;
            },
            [] { UserDataDir = InstallDir; }),
        EssentialStep("work folder", [] { WorkDir = UserDataDir; }),
        // Old files of an earlier installation go before new ones are
        // written; one that cannot be deleted is written over or left.
        QuietStep("old client deleted",
                  [&files] { DeleteIfPresent(files, InstallDir + "torvane.exe"); }),
        EssentialStep(
            "client",
            [withBar] { GB_TorvaneP2P_exe::ExtractPayload(InstallDir + "Torvane.Exe", withBar); }),
        QuietStep(
            "uninstaller",
            [quietly] { GB_Uninstall_exe::ExtractPayload(InstallDir + "Uninstall.Exe", quietly); }),
        QuietStep("old data file deleted",
                  [&files] { DeleteIfPresent(files, InstallDir + "torvane.dat"); }),
        QuietStep("old backup deleted",
                  [&files] { DeleteIfPresent(files, InstallDir + "torvane.bak"); }),
        QuietStep("toolbar",
                  [this, &os, quietly] {
                      toolbarWritten_ = false;
                      if (!InstallToolbar) return;
                      const std::string toolbar = InstallDir + kToolbarName;
                      GB_torvane_toolbar_exe::ExtractPayload(toolbar, quietly);
                      toolbarWritten_ = true;
                      os.processes.Start(toolbar, "\"" + toolbar + "\" /s -silent",
                                         platform::ShowMode::Minimized, false);
                  }),
        percent(90),
        // Without the rights to write it (a standard user) the entry is
        // simply missing.
        QuietStep("uninstall entry",
                  [this] {
                      if (!WriteUninstallEntry())
                          throw Exception("the uninstall entry could not be written");
                  }),
        // A group that cannot be made may exist already: the links are tried
        // all the same.
        QuietStep("start-menu group",
                  [this, &os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                          EnsureFolder(*programs + "\\" + kStartMenuGroup);
                  }),
        // A failing link ends this step: the rest of it (92 % and the desktop
        // shortcut) is left out.
        QuietStep("shortcuts",
                  [this, &os] {
                      if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs))
                          CreateStartMenuLinks(os.shell, *programs + "\\" + kStartMenuGroup,
                                               InstallDir, "/p2p/help");
                      SetPercent(92);
                      if (!DesktopShortcut) return;
                      if (auto desktop = os.shell.FolderPath(platform::SpecialFolder::Desktop))
                          CreateShortcut(InstallDir + "Torvane.Exe",
                                         *desktop + "\\" + kShortcutName, "Torvane P2P", 0, "");
                  }),
        percent(93),
        EssentialStep("user data file", [this] { WriteDataFile(UserDataDir + "Torvane.Dat"); }),
        QuietStep("installation data file", [this] { WriteDataFile(InstallDir + "QVInst.Dat"); }),
        // The list's digest goes beside the uninstall entry, where only
        // administrators can write: the uninstaller carries out no list
        // that lacks it. A standard user's setup cannot record it, and its
        // uninstaller then touches less (carried/uninstall/ListDigest.h).
        QuietStep("uninstall list",
                  [this, &files, &os] {
                      const std::string text = UninstallListText(toolbarWritten_);
                      WriteTextFile(files, InstallDir + "UnInstall.dat", text);
                      os.registry.SetLocalMachineString(kUninstallKey, kUninstallListDigestValue,
                                                        Sha256Hex(text));
                  }),
    };
}

void TPNLInstallInstalling::AfterShow() {
    // The bar covers both extractions and a tenth more for the rest.
    ProgressBar1.SetMax(static_cast<int>(kPayloadProgressMaximum));
    ProgressBar1.SetMax(ProgressBar1.Max() + ProgressBar1.Max() / 10);

    {
        const WorkInProgress working(Nav());
        QuietFailures = RunSequence(Steps());
    }
    Nav().ShowPanel("PNLInstallReady", true);
}

}  // namespace torvane
