#include "platform/FileSystem.h"

#include <vector>

namespace torvane::platform {

std::optional<std::string> ResolvePathText(const std::string& path, LeadByte isLead) {
    if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return std::nullopt;
    std::vector<std::size_t> ends = CharacterOffsets(path, "\\/", isLead);
    ends.push_back(path.size());  // the end closes the last name
    std::vector<std::string> parts;
    for (std::size_t i = 1; i < ends.size(); ++i) {
        std::string name = path.substr(ends[i - 1] + 1, ends[i] - ends[i - 1] - 1);
        const bool last = ends[i] == path.size();
        if (last && name != "." && name != "..")
            while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        if (name == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.push_back(name);
        }
    }
    std::string full = path.substr(0, 2) + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) full += (i ? "\\" : "") + parts[i];
    if (!parts.empty() && ends.size() > 1 && ends[ends.size() - 2] == path.size() - 1) full += '\\';
    return full;
}

LeadByte FileSystem::LeadBytes() { return NoLeadBytes; }

std::optional<std::string> FileSystem::ReadHead(const std::string&, std::size_t) {
    return std::nullopt;
}

FileSystem::Owner FileSystem::OwnerOf(const std::string&) { return Owner::Unknown; }

int FileSystem::CreateOwnFolder(const std::string& path) { return CreateFolder(path); }

std::optional<std::string> FileSystem::FinalPath(const std::string&) { return std::nullopt; }

}  // namespace torvane::platform
