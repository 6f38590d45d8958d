#pragma once
// Where an installation puts its things: the files it writes and the folder
// each goes to, the data folder's name, the Start-menu group, the desktop
// shortcut and the uninstall key. The install and upgrade steps, the
// uninstall list, the folder checks and the uninstaller's confinement all
// read these names, so that what is written and what is removed cannot
// drift apart.
namespace torvane::layout {

// The product's name: the uninstall list's first line and the last part of
// the uninstall key.
inline constexpr char kProductName[] = "Torvane P2P";
// The uninstall entry, below HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
// Each user's data folder: this name below the local application data folder.
inline constexpr char kDataFolderName[] = "Torvane P2P";
// The group below the Start-menu programs folder.
inline constexpr char kStartMenuGroup[] = "Torvane P2P";
// The link on the desktop and the group's link to the client.
inline constexpr char kClientShortcut[] = "Torvane P2P.Lnk";

// The installation folder's last resorts, when the chosen one cannot be
// made: this name below Program Files (without the blank, as ever), then the
// data folder name below local application data, then a folder of its own.
inline constexpr char kProgramFilesFallbackName[] = "TorvaneP2P";
inline constexpr char kLastFallbackFolder[] = "C:\\Torvane\\";

enum class Folder { Installation, UserData };

struct InstalledFile {
    Folder folder;
    // As the setup creates it.
    const char* name;
    // As the uninstall list has always spelled it (names are not case
    // sensitive; lists already written keep working).
    const char* listedAs;
};

inline constexpr InstalledFile kClient{Folder::Installation, "Torvane.Exe", "Torvane.Exe"};
inline constexpr InstalledFile kUninstaller{Folder::Installation, "Uninstall.Exe", "Uninstall.Exe"};
inline constexpr InstalledFile kToolbarInstaller{Folder::Installation, "Torvane_toolbar.exe",
                                                 "Torvane_toolbar.exe"};
inline constexpr InstalledFile kDataFile{Folder::UserData, "Torvane.Dat", "Torvane.dat"};
// The client keeps its previous data file here; the setup never writes it.
inline constexpr InstalledFile kDataBackup{Folder::UserData, "Torvane.bak", "Torvane.bak"};
inline constexpr InstalledFile kInstallationDataFile{Folder::Installation, "QVInst.Dat",
                                                     "QVInst.dat"};
inline constexpr InstalledFile kUninstallList{Folder::Installation, "UnInstall.dat",
                                              "Uninstall.Dat"};

// The client's working files in its work folder, which it makes as it runs.
inline constexpr const char* kWorkFilePatterns[] = {"*.QCF", "*.QCV", "*.QTH", "*.DAT", "*.GET"};

}  // namespace torvane::layout
