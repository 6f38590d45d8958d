#include "fakes/DriveFileSystem.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "base/Exceptions.h"

namespace torvane::testing {

namespace fs = std::filesystem;

namespace {

constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;
constexpr int kInvalidName = 123;
constexpr int kAlreadyExists = 183;

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

bool HasInvalidCharacter(const std::string& path) {
    return path.size() > 2 && path.find_first_of("\"*:<>?|", 2) != std::string::npos;
}

// Writes to a host file; the bytes beyond the file system's capacity fail
// as a full disk does, after the ones that fit were written.
class HostFile : public platform::WritableFile {
public:
    HostFile(std::FILE* file, std::size_t capacity) : file_(file), capacity_(capacity) {}
    ~HostFile() override {
        if (file_) std::fclose(file_);
    }
    void Write(const std::uint8_t* data, std::size_t size) override {
        if (!file_) throw EInOutError(6);  // ERROR_INVALID_HANDLE: written after Close
        const std::size_t room = capacity_ - written_;
        const std::size_t now = std::min(size, room);
        if (std::fwrite(data, 1, now, file_) != now) throw EInOutError(29);  // ERROR_WRITE_FAULT
        written_ += now;
        if (now < size) throw EInOutError(112);
    }
    void Close() override {
        if (!file_) return;
        std::FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0) throw EInOutError(29);
    }

private:
    std::FILE* file_;
    std::size_t capacity_;
    std::size_t written_ = 0;
};

}  // namespace

fs::path DriveFileSystem::Host(const std::string& path) const {
    std::optional<fs::path> host = drives_.HostPath(path);
    if (!host) throw std::invalid_argument("not a path on a fake drive: " + path);
    return *host;
}

bool DriveFileSystem::ReadOnly(const std::string& path) const {
    const std::string clean = WithoutTrailingSeparator(path);
    for (const std::string& folder : readOnlyFolders) {
        const std::string prefix = EndsWithSeparator(folder) ? folder : folder + "\\";
        if (clean.size() > prefix.size() && StartsNoCase(clean, prefix)) return true;
    }
    return false;
}

int DriveFileSystem::CreationError(const std::string& path) const {
    if (HasInvalidCharacter(path)) return kInvalidName;
    const std::optional<fs::path> host = drives_.HostPath(path);
    if (!host) return kPathNotFound;
    std::error_code error;
    if (!fs::is_directory(host->parent_path(), error)) return kPathNotFound;
    if (ReadOnly(path)) return kAccessDenied;
    return 0;
}

std::unique_ptr<platform::WritableFile> DriveFileSystem::CreateFile(const std::string& path) {
    int error =
        uncreatable.count(WithoutTrailingSeparator(path)) ? kSharingViolation : CreationError(path);
    std::error_code ignored;
    if (!error && (EndsWithSeparator(path) || fs::is_directory(Host(path), ignored) ||
                   readOnlyFiles.count(path)))
        error = kAccessDenied;
    if (error) throw EFCreateError(path, ErrorText(error));
    std::FILE* file = std::fopen(Host(path).c_str(), "wb");
    if (!file) throw EFCreateError(path, ErrorText(kAccessDenied));
    return std::make_unique<HostFile>(file, capacity);
}

int DriveFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    if (uncreatable.count(to)) return kSharingViolation;
    if (readOnlyFiles.count(to)) return kAccessDenied;
    const std::optional<fs::path> source = drives_.HostPath(from);
    std::error_code error;
    if (!source || !fs::is_regular_file(*source, error)) return kFileNotFound;
    if (ReadOnly(from)) return kAccessDenied;
    if (const int refused = CreationError(to)) return refused;
    if (fs::is_directory(Host(to), error)) return kAccessDenied;
    fs::rename(*source, Host(to), error);
    return error ? kAccessDenied : 0;
}

bool DriveFileSystem::DeleteFile(const std::string& path) {
    if (uncreatable.count(path) || ReadOnly(path) || readOnlyFiles.count(path) ||
        EndsWithSeparator(path))
        return false;
    const std::optional<fs::path> host = drives_.HostPath(path);
    std::error_code error;
    return host && fs::is_regular_file(*host, error) && fs::remove(*host, error);
}

std::string DriveFileSystem::ErrorText(int code) {
    switch (code) {
        case kFileNotFound:
            return "The system cannot find the file specified";
        case kPathNotFound:
            return "The system cannot find the path specified";
        case kAccessDenied:
            return "Access is denied";
        case kSharingViolation:
            return "The process cannot access the file because it is being used by another process";
        case kInvalidName:
            return "The filename, directory name, or volume label syntax is incorrect";
        case kAlreadyExists:
            return "Cannot create a file when that file already exists";
        default:
            return "Error " + std::to_string(code);
    }
}

std::optional<std::uint32_t> DriveFileSystem::Attributes(const std::string& path) {
    if (HasInvalidCharacter(path)) return std::nullopt;
    const std::optional<fs::path> host = drives_.HostPath(path);
    if (!host) return std::nullopt;
    std::error_code error;
    const fs::file_status status = fs::status(*host, error);
    std::uint32_t attributes = 0;
    if (fs::is_directory(status))
        attributes = platform::kAttributeDirectory;
    else if (fs::is_regular_file(status) && !EndsWithSeparator(path))
        attributes = 0x20;  // archive: a plain file
    else
        return std::nullopt;
    if (hidden.count(WithoutTrailingSeparator(path))) attributes |= platform::kAttributeHidden;
    if (reparsePoints.count(WithoutTrailingSeparator(path)))
        attributes |= platform::kAttributeReparsePoint;
    if (readOnlyFiles.count(WithoutTrailingSeparator(path)))
        attributes |= platform::kAttributeReadOnly;
    return attributes;
}

int DriveFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (!Attributes(path)) return kFileNotFound;
    if (ReadOnly(path)) return kAccessDenied;
    const std::string clean = WithoutTrailingSeparator(path);
    if (attributes & platform::kAttributeReadOnly)
        readOnlyFiles.insert(clean);
    else
        readOnlyFiles.erase(clean);
    if (attributes & platform::kAttributeHidden)
        hidden.insert(clean);
    else
        hidden.erase(clean);
    return 0;
}

int DriveFileSystem::CreateFolder(const std::string& path) {
    if (Attributes(path)) return kAlreadyExists;
    if (const int error = CreationError(path)) return error;
    std::error_code error;
    return fs::create_directory(Host(path), error) ? 0 : kAccessDenied;
}

std::vector<std::string> DriveFileSystem::SubFolders(const std::string& folder,
                                                     bool includeHidden) {
    std::vector<std::string> names;
    const std::optional<fs::path> host = drives_.HostPath(folder);
    std::error_code error;
    if (!host || !fs::is_directory(*host, error)) return names;
    const std::string parent = EndsWithSeparator(folder) ? folder : folder + "\\";
    for (const fs::directory_entry& entry : fs::directory_iterator(*host, error)) {
        if (!entry.is_directory(error)) continue;
        const std::string name = entry.path().filename().string();
        if (!includeHidden && hidden.count(parent + name)) continue;
        names.push_back(name);
    }
    // NTFS lists names in order; the host's order is arbitrary.
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> DriveFileSystem::FullLongPath(const std::string& path) {
    const std::optional<std::string> resolved = platform::ResolvePathText(path);
    if (!resolved) return std::nullopt;
    std::optional<fs::path> host = drives_.HostPath(resolved->substr(0, 3));
    if (!host) return resolved;  // no such drive: nothing exists to expand
    std::string full = resolved->substr(0, 3);
    std::string name;
    bool existing = true;
    for (std::size_t i = 3; i <= resolved->size(); ++i) {
        if (i < resolved->size() && (*resolved)[i] != '\\') {
            name += (*resolved)[i];
            continue;
        }
        if (name.empty()) break;  // the trailing backslash
        if (existing) {
            if (const std::optional<std::string> longName = drives_.LongNameOf(*host, name))
                name = *longName;
            host = drives_.HostPath(full + (full.size() > 3 ? "\\" : "") + name);
            std::error_code error;
            existing = host && fs::exists(*host, error);
        }
        full += (full.size() > 3 ? "\\" : "") + name;
        name.clear();
    }
    if (resolved->size() > 3 && resolved->back() == '\\') full += '\\';
    return full;
}

void DriveFileSystem::MakeFolders(const std::string& path) { fs::create_directories(Host(path)); }

void DriveFileSystem::WriteText(const std::string& path, const std::string& text) {
    const fs::path host = Host(path);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + host.string());
}

std::optional<std::string> DriveFileSystem::ReadText(const std::string& path) const {
    const std::optional<fs::path> host = drives_.HostPath(path);
    std::error_code error;
    if (!host || !fs::is_regular_file(*host, error)) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> DriveFileSystem::ReadHead(const std::string& path, std::size_t limit) {
    std::optional<std::string> text = ReadText(path);
    if (text && text->size() > limit) text->resize(limit);
    return text;
}

platform::FileSystem::Owner DriveFileSystem::OwnerOf(const std::string& path) {
    const auto owner = owners.find(WithoutTrailingSeparator(path));
    return owner == owners.end() ? Owner::InstallingAccount : owner->second;
}

int DriveFileSystem::CreateOwnFolder(const std::string& path) {
    const int error = CreateFolder(path);
    if (error == 0) ownFolders.insert(WithoutTrailingSeparator(path));
    return error;
}

std::optional<std::string> DriveFileSystem::FinalPath(const std::string& path) {
    const std::string bare = WithoutTrailingSeparator(path);
    const auto to = redirected.find(bare);
    if (to != redirected.end()) return to->second;
    if (!Attributes(bare)) return std::nullopt;
    return bare;
}

}  // namespace torvane::testing
