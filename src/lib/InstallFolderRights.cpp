#include "lib/InstallFolderRights.h"

#include "base/Exceptions.h"
#include "base/InstallLayout.h"
#include "base/PathNames.h"
#include "base/Text.h"
#include "lib/EnsureFolder.h"
#include "lib/LIB_FolderHelpers.h"

namespace torvane {

namespace {

std::string WithoutBackslash(std::string path, LeadByte isLead) {
    if (path.size() > 3 && EndsWithBackslash(path, isLead)) path.pop_back();
    return path;
}

bool IsBelow(const std::string& path, const std::string& folder, LeadByte isLead) {
    const std::string prefix = WithBackslash(folder, isLead);
    return path.size() > prefix.size() && SameText(path.substr(0, prefix.size()), prefix);
}

bool IsFile(platform::FileSystem& files, const std::string& path) {
    const auto attributes = files.Attributes(path);
    return attributes && (*attributes & platform::kAttributeDirectory) == 0;
}

// The first line of this product's uninstall list.
bool HoldsProductList(platform::FileSystem& files, const std::string& folder) {
    const std::optional<std::string> head =
        files.ReadHead(folder + layout::kUninstallList.name, 16);
    const std::string product = layout::kProductName;
    return head && (head->rfind(product + "\r\n", 0) == 0 || head->rfind(product + "\n", 0) == 0);
}

}  // namespace

std::optional<std::string> WhyNotInstallationFolder(platform::FileSystem& files,
                                                    const std::string& folder) {
    const std::string path = WithoutBackslash(folder, files.LeadBytes());
    std::string part = path.substr(0, 2);
    for (const std::string& name : PathParts(path, files.LeadBytes())) {
        part += "\\" + name;
        const auto attributes = files.Attributes(part);
        if (attributes && (*attributes & platform::kAttributeReparsePoint))
            return "it leads to another place through a link";
    }
    switch (files.OwnerOf(path)) {
        case platform::FileSystem::Owner::Administrators:
        case platform::FileSystem::Owner::System:
        case platform::FileSystem::Owner::InstallingAccount:
            return std::nullopt;
        case platform::FileSystem::Owner::Other:
            return "it belongs to another user account";
        case platform::FileSystem::Owner::Unknown:
            break;
    }
    return "its owner cannot be told";
}

void MakeInstallationFolder(platform::FileSystem& files, const std::string& folder,
                            const std::optional<std::string>& programFiles) {
    const LeadByte isLead = files.LeadBytes();
    const std::string path = WithoutBackslash(folder, isLead);
    const std::size_t slash = LastBackslash(path, isLead);
    if (slash != std::string::npos && slash > 2) EnsureFolder(files, path.substr(0, slash + 1));
    const bool inherits = programFiles && IsBelow(path, *programFiles, isLead);
    const int error = inherits ? files.CreateFolder(path) : files.CreateOwnFolder(path);
    if (error != 0 && error != 183) throw EInOutError(error);
    if (error == 183) {
        // Made by someone else since it was found missing: judged as any
        // existing folder.
        if (const auto why = WhyNotInstallationFolder(files, path))
            throw Exception("Cannot install Torvane P2P in " + path + "\\ because " + *why + ".");
    }
    const std::optional<std::string> final = files.FinalPath(path);
    if (!final || !SameText(*final, path))
        throw Exception("Cannot install Torvane P2P in " + path +
                        "\\ because the folder made there is really " +
                        (final ? *final : std::string("somewhere Windows cannot name")) + ".");
}

std::string SettleInstallationFolder(platform::FileSystem& files,
                                     const std::vector<std::string>& candidates,
                                     const std::optional<std::string>& programFiles) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string& folder = candidates[i];
        const bool last = i + 1 == candidates.size();
        if (FolderExists(files, folder)) {
            const auto why = WhyNotInstallationFolder(files, folder);
            if (!why) return folder;
            if (i == 0 || last)
                throw Exception("Cannot install Torvane P2P in " + folder + " because " + *why +
                                ".");
            continue;
        }
        try {
            MakeInstallationFolder(files, folder, programFiles);
        } catch (const EInOutError&) {
            if (last) throw;
        }
        if (FolderExists(files, folder) || last) return folder;
    }
    throw Exception("no installation folder to try");
}

std::string AutoUpdateTarget(platform::FileSystem& files, platform::FileSearch& search,
                             const std::string& given) {
    auto refuse = [&](const std::string& why) -> std::string {
        throw Exception("Cannot upgrade Torvane P2P in " + given + " because " + why + ".");
    };
    const LeadByte isLead = files.LeadBytes();
    if (!IsValidFolderName(given, isLead) || given.size() <= 3)
        refuse("it is not a folder below the root of a drive, written out in full");
    std::optional<std::string> folder = CanonicalFolderName(files, given);
    if (!folder) refuse("Windows would take its name for another");
    *folder = WithBackslash(*folder, isLead);
    if (FolderExists(files, *folder) && FolderHoldsAnything(search, *folder, isLead) &&
        !IsFile(files, *folder + layout::kClient.name) && !HoldsProductList(files, *folder))
        refuse("it holds files of another program");
    return *folder;
}

}  // namespace torvane
