#include "fakes/FakePlatform.h"

#include <utility>

namespace torvane::testing {

FakePlatform::FakePlatform() {
    host.onPump = [this] { clock.Advance(5); };
    drives.Add('C', platform::DriveType::Fixed);
    drives.Add('D', platform::DriveType::Fixed);
    drives.Add('E', platform::DriveType::Removable);
    const std::pair<platform::SpecialFolder, const char*> folders[] = {
        {platform::SpecialFolder::ProgramFiles, kProgramFiles},
        {platform::SpecialFolder::LocalAppData, kLocalAppData},
        {platform::SpecialFolder::Programs, kPrograms},
        {platform::SpecialFolder::Desktop, kDesktop}};
    for (const auto& [folder, path] : folders) {
        shell.folders[folder] = path;
        files.MakeFolders(path);
    }
}

}  // namespace torvane::testing
