#include "platform/FileSystem.h"

#include <vector>

namespace torvane::platform {

std::optional<std::string> ResolvePathText(const std::string& path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 3 || path[1] != ':' || !separator(path[2])) return std::nullopt;
    std::vector<std::string> parts;
    std::string name;
    // One character past the end closes the last name.
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && !separator(path[i])) {
            name += path[i];
            continue;
        }
        const bool last = i == path.size();
        if (last && name != "." && name != "..")
            while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        if (name == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.push_back(name);
        }
        name.clear();
    }
    std::string full = path.substr(0, 2) + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) full += (i ? "\\" : "") + parts[i];
    if (!parts.empty() && separator(path.back())) full += '\\';
    return full;
}

std::optional<std::string> FileSystem::ReadHead(const std::string&, std::size_t) {
    return std::nullopt;
}

FileSystem::Owner FileSystem::OwnerOf(const std::string&) { return Owner::Unknown; }

int FileSystem::CreateOwnFolder(const std::string& path) { return CreateFolder(path); }

std::optional<std::string> FileSystem::FinalPath(const std::string&) { return std::nullopt; }

}  // namespace torvane::platform
