#pragma once
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "platform/FileSystem.h"

namespace torvane::testing {

// A file in memory that counts the writes it receives and can be told to
// run out of space after a number of bytes, like a full disk.
class MemoryFile : public platform::WritableFile {
public:
    void Write(const std::uint8_t* data, std::size_t size) override {
        ++writes;
        if (bytes.size() + size > capacity) {
            bytes.insert(bytes.end(), data, data + (capacity - bytes.size()));
            throw EInOutError(112);
        }
        bytes.insert(bytes.end(), data, data + size);
    }
    void Close() override { closed = true; }

    std::vector<std::uint8_t> bytes;
    std::size_t capacity = SIZE_MAX;
    int writes = 0;
    bool closed = false;
};

}  // namespace torvane::testing
