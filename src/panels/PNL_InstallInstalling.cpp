#include "panels/PNL_InstallInstalling.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/Appl_Globals.h"
#include "app/FormMain.h"
#include "lib/EnsureFolder.h"
#include "base/Exceptions.h"
#include "lib/LIB_FolderHelpers.h"
#include "lib/Rounding.h"
#include "panels/ParentColors.h"
#include "panels/ProgressControls.h"
#include "panels/StartMenuLinks.h"
#include "payload/ExtractPayload.h"
#include "payload/GB_Payloads.h"
#include "payload/SeedDataFile.h"

namespace torvane {

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
const char* const kProductName = "Torvane P2P";
const char* const kShortcutName = "Torvane P2P.Lnk";

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool FileExists(platform::FileSystem& files, const std::string& path) {
    const std::optional<std::uint32_t> attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) == 0;
}

// Old files of an earlier installation go before new ones are written; one
// that cannot be deleted is written over or left.
void DeleteIfPresent(platform::FileSystem& files, const std::string& path) {
    try {
        if (FileExists(files, path)) files.DeleteFile(path);
    } catch (const std::exception&) {
    }
}

// What the uninstaller removes, in the order it removes it: the client's
// working files, the programs and data files, the folders once empty, the
// registry entry and the shortcuts. The first line names the product.
std::string UninstallListText() {
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
        "<E" + InstallDir + ">",
        "<E" + UserDataDir + ">",
        std::string("<R") + kUninstallKey + ">",
        std::string("<S") + kProductName + ">",
    };
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

TPNLInstallInstalling::TPNLInstallInstalling()
    : TFramePanel("PNLInstallInstalling", "Installing Torvane P2P"),
      Label12(this, "Label12"),
      ProgressBar1(this, "ProgressBar1") {
    PlaceProgressControls(Label12, ProgressBar1);
    UseParentColors(*this);
}

void TPNLInstallInstalling::BeforeShow() { SetProgress(0); }

void TPNLInstallInstalling::SetProgress(int position) {
    ReportProgress(position, &ProgressBar1, &Label12, FormMain->App());
}

void TPNLInstallInstalling::SetPercent(int percent) {
    SetProgress(static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(ProgressBar1.Max()) * percent, 100)));
}

void TPNLInstallInstalling::WriteDataFile(const std::string& path) {
    platform::Platform& os = FormMain->Platform();
    const DataFileServices services{os.files, os.guids, os.clock, [this](int percent) { SetPercent(percent); }};
    ::torvane::WriteDataFile(path, services);
}

void TPNLInstallInstalling::EnsureFolder(const std::string& path) {
    ::torvane::EnsureFolder(FormMain->Platform().files, path);
}

void TPNLInstallInstalling::CreateShortcut(const std::string& target, const std::string& linkFile,
                                           const std::string& description, int iconIndex,
                                           const std::string& arguments) {
    FormMain->Platform().shell.CreateShortcut(target, linkFile, description, iconIndex, arguments);
}

void TPNLInstallInstalling::WriteUninstallEntry() {
    try {
        platform::Registry& registry = FormMain->Platform().registry;
        registry.SetLocalMachineString(kUninstallKey, "DisplayName", kProductName);
        // Quoted, so that the system cannot take a part of a path with
        // blanks for the program to run.
        registry.SetLocalMachineString(kUninstallKey, "UninstallString", "\"" + InstallDir + "Uninstall.Exe\"");
    } catch (const std::exception&) {
    }
}

void TPNLInstallInstalling::AfterShow() {
    platform::Platform& os = FormMain->Platform();
    platform::FileSystem& files = os.files;
    const PayloadServices payloadServices{files, FormMain->App()};

    // The bar covers both extractions and a tenth more for the rest.
    ProgressBar1.SetMax(static_cast<int>(kPayloadProgressMaximum));
    ProgressBar1.SetMax(ProgressBar1.Max() + ProgressBar1.Max() / 10);

    // The installation folder: the chosen one, else the first of the
    // fallbacks that can be made. A fallback the system cannot name is left
    // out rather than tried as a path from the root of the current drive.
    InstallDir = WithBackslash(InstallDir);
    if (!FolderExists(files, InstallDir)) {
        std::vector<std::string> candidates = {InstallDir};
        if (auto programFiles = os.shell.FolderPath(platform::SpecialFolder::ProgramFiles))
            candidates.push_back(*programFiles + "\\TorvaneP2P\\");
        if (auto localData = os.shell.FolderPath(platform::SpecialFolder::LocalAppData))
            candidates.push_back(*localData + "\\Torvane P2P\\");
        candidates.push_back("C:\\Torvane\\");
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            InstallDir = candidates[i];
            try {
                EnsureFolder(InstallDir);
            } catch (const EInOutError&) {
                if (i + 1 == candidates.size()) throw;
            }
            if (FolderExists(files, InstallDir)) break;
        }
    }

    // The per-user data folder; the installation folder when there is none.
    const std::optional<std::string> localData = os.shell.FolderPath(platform::SpecialFolder::LocalAppData);
    UserDataDir = localData ? *localData + "\\Torvane P2P\\" : InstallDir;
    try {
        EnsureFolder(UserDataDir);
        if (!FolderExists(files, UserDataDir)) UserDataDir = InstallDir;
    } catch (const std::exception&) {
        UserDataDir = InstallDir;
    }
    WorkDir = UserDataDir;

    DeleteIfPresent(files, InstallDir + "torvane.exe");
    GB_TorvaneP2P_exe::ExtractPayload(InstallDir + "Torvane.Exe", &ProgressBar1, &Label12, payloadServices);
    try {
        GB_Uninstall_exe::ExtractPayload(InstallDir + "Uninstall.Exe", nullptr, nullptr, payloadServices);
    } catch (const std::exception&) {
    }
    DeleteIfPresent(files, InstallDir + "torvane.dat");
    DeleteIfPresent(files, InstallDir + "torvane.bak");

    if (InstallToolbar) {
        try {
            const std::string toolbar = InstallDir + "Torvane_toolbar.exe";
            GB_torvane_toolbar_exe::ExtractPayload(toolbar, nullptr, nullptr, payloadServices);
            os.processes.Start(toolbar, "\"" + toolbar + "\" /s -silent", platform::ShowMode::Minimized, false);
        } catch (const std::exception&) {
        }
    }
    SetPercent(90);

    WriteUninstallEntry();

    const std::string client = InstallDir + "Torvane.Exe";
    try {
        if (auto programs = os.shell.FolderPath(platform::SpecialFolder::Programs)) {
            const std::string group = *programs + "\\" + kStartMenuGroup;
            try {
                EnsureFolder(group);
            } catch (const std::exception&) {
            }
            CreateStartMenuLinks(os.shell, group, InstallDir, "/p2p/help");
        }
        SetPercent(92);
        if (DesktopShortcut) {
            if (auto desktop = os.shell.FolderPath(platform::SpecialFolder::Desktop))
                CreateShortcut(client, *desktop + "\\" + kShortcutName, "Torvane P2P", 0, "");
        }
    } catch (const std::exception&) {
    }
    SetPercent(93);

    WriteDataFile(UserDataDir + "Torvane.Dat");
    try {
        WriteDataFile(InstallDir + "QVInst.Dat");
    } catch (const std::exception&) {
    }
    try {
        WriteTextFile(files, InstallDir + "UnInstall.dat", UninstallListText());
    } catch (const std::exception&) {
    }

    FormMain->ShowPanel("PNLInstallReady", true);
}

}  // namespace torvane
