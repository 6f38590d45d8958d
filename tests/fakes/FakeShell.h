#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace torvane::testing {

// A shortcut as CreateShortcut was asked to save it.
struct Shortcut {
    std::string target, linkFile, description;
    int iconIndex = -1;
    std::string arguments;
    bool saved = false;  // whether the link file could be written
};

// The shell of the tests. Special folders are those put in `folders` (a
// folder left out is one the system does not name). Shortcuts are recorded
// with every field, and a small text file is written at the link path through
// the given file system, so file checks see it; a link that cannot be written
// is recorded unsaved and, as with the real shell, not reported. With
// `refuseShortcuts` CreateShortcut raises, as when the shell link object
// cannot be created. Opened documents are recorded in order, those opened
// as the user with an "(as user) " in front; with `refuseElevated` these are
// refused, as by an elevated setup that finds no way to open them as the user.
class FakeShell : public platform::Shell {
public:
    explicit FakeShell(platform::FileSystem& files) : files_(files) {}

    std::optional<std::string> FolderPath(platform::SpecialFolder folder) override {
        const auto it = folders.find(folder);
        if (it == folders.end()) return std::nullopt;
        return it->second;
    }

    void CreateShortcut(const std::string& target, const std::string& linkFile,
                        const std::string& description, int iconIndex,
                        const std::string& arguments) override {
        if (refuseShortcuts) throw Exception("Cannot create the shell link object");
        Shortcut shortcut{target, linkFile, description, iconIndex, arguments, false};
        try {
            auto file = files_.CreateFile(linkFile);
            const std::string text = "shortcut to " + target;
            file->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
            file->Close();
            shortcut.saved = true;
        } catch (const Exception&) {
        }
        shortcuts.push_back(shortcut);
    }

    platform::StartResult Open(const std::string& what, bool asUser) override {
        opened.push_back(asUser ? "(as user) " + what : what);
        return refuseElevated && asUser ? platform::StartResult::WouldBeElevated
                                        : platform::StartResult::Started;
    }

    std::map<platform::SpecialFolder, std::string> folders;
    std::vector<Shortcut> shortcuts;
    std::vector<std::string> opened;
    bool refuseShortcuts = false;
    bool refuseElevated = false;

private:
    platform::FileSystem& files_;
};

}  // namespace torvane::testing
