#pragma once
// The file system for the native tools: plain C stdio on the host. Windows
// paths given to it are used as host paths unchanged.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "base/Exceptions.h"
#include "platform/FileSystem.h"

namespace torvane::tools {

class StdioFile : public platform::WritableFile {
public:
    explicit StdioFile(std::FILE* file) : file_(file) {}
    ~StdioFile() override {
        if (file_) std::fclose(file_);
    }
    void Write(const std::uint8_t* data, std::size_t size) override {
        if (std::fwrite(data, 1, size, file_) != size) throw EInOutError(errno);
    }
    void Close() override {
        if (!file_) return;
        const int failed = std::fclose(file_);
        file_ = nullptr;
        if (failed) throw EInOutError(errno);
    }

private:
    std::FILE* file_;
};

class StdioFileSystem : public platform::FileSystem {
public:
    std::unique_ptr<platform::WritableFile> CreateFile(const std::string& path) override {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) throw EFCreateError(path, ErrorText(errno));
        return std::make_unique<StdioFile>(file);
    }
    int ReplaceFile(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    bool DeleteFile(const std::string& path) override { return std::remove(path.c_str()) == 0; }
    std::string ErrorText(int code) override { return std::strerror(code); }
    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        struct stat info;
        if (stat(path.c_str(), &info) != 0) return std::nullopt;
        return S_ISDIR(info.st_mode) ? platform::kAttributeDirectory : 0x20u;
    }
    // The tools write only files of their own: attributes stay as they are.
    int SetAttributes(const std::string& path, std::uint32_t) override {
        return Attributes(path) ? 0 : ENOENT;
    }
    int CreateFolder(const std::string& path) override {
        return mkdir(path.c_str(), 0755) == 0 ? 0 : errno;
    }
    std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) override {
        std::vector<std::string> names;
        DIR* dir = opendir(folder.c_str());
        if (!dir) return names;
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == ".." || (!includeHidden && name[0] == '.')) continue;
            if (Attributes(folder + "/" + name).value_or(0) & platform::kAttributeDirectory)
                names.push_back(name);
        }
        closedir(dir);
        return names;
    }
    // The tools are handed host paths, which have no drive and no short names.
    std::optional<std::string> FullLongPath(const std::string& path) override { return path; }
};

}  // namespace torvane::tools
