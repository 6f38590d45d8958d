#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace torvane {

// A growable byte stream held in memory, with a read/write position (the web
// fetch's answer). Writing at the position overwrites and extends.
class MemoryStream {
public:
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }

    // Cuts or extends (with zeros); the position stays within the new size.
    void SetSize(std::size_t size) {
        bytes_.resize(size);
        position_ = std::min(position_, size);
    }
    // Positions past the end are clamped to the end.
    void Seek(std::size_t position) { position_ = std::min(position, bytes_.size()); }

    void Write(const std::uint8_t* data, std::size_t count) {
        if (count == 0) return;
        if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
        std::copy(data, data + count, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += count;
    }
    // Returns the number of bytes copied: at most `count`, fewer at the end.
    std::size_t Read(std::uint8_t* data, std::size_t count) {
        const std::size_t available = std::min(count, bytes_.size() - position_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), available, data);
        position_ += available;
        return available;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace torvane
