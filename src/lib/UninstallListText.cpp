#include "lib/UninstallListText.h"

#include <algorithm>

namespace torvane {

namespace {

// The F lines' order: the programs and data files, the uninstaller and its
// list last but the toolbar installer, which must still go before the
// installation folder's E line, or it would keep the folder.
constexpr const layout::InstalledFile* kListedFiles[] = {
    &layout::kClient,           &layout::kDataFile,
    &layout::kDataBackup,       &layout::kInstallationDataFile,
    &layout::kUninstaller,      &layout::kUninstallList,
    &layout::kToolbarInstaller,
};

bool Has(const InstalledSoFar& installed, const layout::InstalledFile& file) {
    return std::find(installed.files.begin(), installed.files.end(), &file) !=
           installed.files.end();
}

bool Listed(const InstalledSoFar& installed, const layout::InstalledFile& file) {
    if (&file == &layout::kUninstallList) return true;
    if (&file == &layout::kDataBackup) return Has(installed, layout::kDataFile);
    return Has(installed, file);
}

const std::string& FolderOf(const InstalledSoFar& installed, const layout::InstalledFile& file) {
    return file.folder == layout::Folder::Installation ? installed.installDir
                                                       : installed.userDataDir;
}

}  // namespace

std::string PathOf(const layout::InstalledFile& file, const std::string& installDir,
                   const std::string& userDataDir) {
    return (file.folder == layout::Folder::Installation ? installDir : userDataDir) + file.name;
}

std::string PathOf(const InstalledSoFar& installed, const layout::InstalledFile& file) {
    return PathOf(file, installed.installDir, installed.userDataDir);
}

std::string UninstallListText(const InstalledSoFar& installed) {
    std::vector<std::string> lines = {layout::kProductName};
    if (!installed.workDir.empty()) {
        for (const char* pattern : layout::kWorkFilePatterns)
            lines.push_back("<P" + installed.workDir + pattern + ">");
        lines.push_back("<E" + installed.workDir + ">");
    }
    for (const layout::InstalledFile* file : kListedFiles) {
        if (!Listed(installed, *file)) continue;
        lines.push_back("<F" + FolderOf(installed, *file) + file->listedAs + ">");
    }
    if (!installed.installDir.empty()) lines.push_back("<E" + installed.installDir + ">");
    if (!installed.userDataDir.empty()) lines.push_back("<E" + installed.userDataDir + ">");
    if (installed.uninstallEntry) lines.push_back(std::string("<R") + layout::kUninstallKey + ">");
    if (installed.startMenuGroup)
        lines.push_back(std::string("<S") + layout::kStartMenuGroup + ">");
    if (installed.desktopShortcut)
        lines.push_back(std::string("<T") + layout::kClientShortcut + ">");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace torvane
