#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"

namespace torvane {

// Collects single bytes and hands them to the file in blocks, so writing a
// data file byte by byte costs one system call per block instead of one per
// byte. Failures of the file surface from Put/Flush as the file raises them.
class BufferedWriter {
public:
    static constexpr std::size_t kBlock = 4096;

    explicit BufferedWriter(platform::WritableFile& file, std::size_t block = kBlock)
        : file_(file), block_(block) {
        buffer_.reserve(block_);
    }
    BufferedWriter(const BufferedWriter&) = delete;
    BufferedWriter& operator=(const BufferedWriter&) = delete;

    void Put(std::uint8_t byte) {
        buffer_.push_back(byte);
        if (buffer_.size() == block_) Flush();
    }
    void Write(const std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            const std::size_t room = block_ - buffer_.size();
            const std::size_t take = size < room ? size : room;
            buffer_.insert(buffer_.end(), data, data + take);
            data += take;
            size -= take;
            if (buffer_.size() == block_) Flush();
        }
    }
    void Flush() {
        if (buffer_.empty()) return;
        file_.Write(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    platform::WritableFile& File() const { return file_; }

private:
    platform::WritableFile& file_;
    std::size_t block_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace torvane
