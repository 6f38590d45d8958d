#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "fakes/MemoryFile.h"
#include "fakes/NoCase.h"
#include "platform/FileSystem.h"
#include "platform/GuidSource.h"

namespace torvane::testing {

// Files in memory, keyed by path without regard to case, as on Windows (a
// file keeps the spelling it was first created with). Paths listed in `uncreatable` refuse to be
// created (as a running program does), paths in `readOnly` carry that
// attribute; `capacity` limits every file, like a
// nearly full disk.
class MemoryFileSystem : public platform::FileSystem {
public:
    std::unique_ptr<platform::WritableFile> CreateFile(const std::string& path) override {
        if (uncreatable.count(path)) throw EFCreateError(path, ErrorText(32));
        if (readOnly.count(path)) throw EFCreateError(path, ErrorText(5));
        auto file = std::make_shared<MemoryFile>();
        file->capacity = capacity;
        files[path] = file;  // an existing key keeps its spelling
        return std::make_unique<Handle>(file);
    }
    int ReplaceFile(const std::string& from, const std::string& to) override {
        if (uncreatable.count(to)) return 32;
        if (readOnly.count(to)) return 5;
        auto it = files.find(from);
        if (it == files.end()) return 2;
        // Taken out first: `to` may be `from` in another letter case.
        std::shared_ptr<MemoryFile> file = it->second;
        files.erase(it);
        files[to] = file;
        return 0;
    }
    bool DeleteFile(const std::string& path) override {
        return !readOnly.count(path) && files.erase(path) > 0;
    }
    std::string ErrorText(int code) override {
        return code == 32 ? "The process cannot access the file because it is being used by "
                            "another process"
                          : "Error " + std::to_string(code);
    }

    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        if (folders.count(path)) return platform::kAttributeDirectory;
        if (files.count(path))  // archive: a plain file
            return 0x20u | (readOnly.count(path) ? platform::kAttributeReadOnly : 0u);
        return std::nullopt;
    }
    int SetAttributes(const std::string& path, std::uint32_t attributes) override {
        if (!files.count(path) && !folders.count(path)) return 2;
        if (attributes & platform::kAttributeReadOnly)
            readOnly.insert(path);
        else
            readOnly.erase(path);
        ++attributeChanges;
        return 0;
    }
    int CreateFolder(const std::string& path) override {
        if (folders.count(path) || files.count(path)) return 183;
        folders.insert(path);
        return 0;
    }
    std::vector<std::string> SubFolders(const std::string& folder, bool) override {
        std::string prefix = folder;
        if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
        std::vector<std::string> names;
        for (const std::string& f : folders)
            if (f.size() > prefix.size() && StartsNoCase(f, prefix) &&
                f.find('\\', prefix.size()) == std::string::npos)
                names.push_back(f.substr(prefix.size()));
        return names;
    }

    // No short names here: only the text is resolved.
    std::optional<std::string> FullLongPath(const std::string& path) override {
        return platform::ResolvePathText(path, leadBytes);
    }

    std::optional<std::string> FinalPath(const std::string& path) override {
        std::string bare = path;
        if (bare.size() > 3 && EndsWithBackslash(bare, leadBytes)) bare.pop_back();
        if (!Attributes(bare)) return std::nullopt;
        return bare;
    }
    Owner OwnerOf(const std::string&) override { return Owner::InstallingAccount; }
    LeadByte LeadBytes() override { return leadBytes; }

    const std::vector<std::uint8_t>& Bytes(const std::string& path) const {
        return files.at(path)->bytes;
    }

    std::map<std::string, std::shared_ptr<MemoryFile>, NoCaseLess> files;
    std::set<std::string, NoCaseLess> uncreatable;
    std::set<std::string, NoCaseLess> folders;
    // Files with the read-only attribute: they refuse creation, replacement
    // and deletion with 5 until SetAttributes takes it off.
    std::set<std::string, NoCaseLess> readOnly;
    int attributeChanges = 0;
    std::size_t capacity = SIZE_MAX;
    LeadByte leadBytes = NoLeadBytes;  // the code page's double-byte rule

private:
    // The file stays in the map after the handle is gone.
    struct Handle : platform::WritableFile {
        explicit Handle(std::shared_ptr<MemoryFile> f) : file(std::move(f)) {}
        void Write(const std::uint8_t* data, std::size_t size) override { file->Write(data, size); }
        void Close() override { file->Close(); }
        std::shared_ptr<MemoryFile> file;
    };
};

// GUIDs numbered 1, 2, 3, ... in their first field.
class CountingGuidSource : public platform::GuidSource {
public:
    platform::Guid NewGuid() override {
        platform::Guid guid;
        guid.data1 = ++count;
        guid.data4 = {0xC0, 0x01, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(count)};
        return guid;
    }
    std::uint32_t count = 0;
};

}  // namespace torvane::testing
