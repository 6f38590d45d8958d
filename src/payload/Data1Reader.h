#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "payload/LIB_Data1_ReadWrite.h"

namespace torvane {

// A data file that does not decode: truncated, a byte where the escape rule
// forbids it, a value out of its range.
class DataFormatError : public Failure {
public:
    DataFormatError(const std::string& what, std::size_t offset)
        : Failure(what + " at byte " + std::to_string(offset)), offset_(offset) {}
    std::size_t Offset() const { return offset_; }

private:
    std::size_t offset_;
};

// Reads the records of a data file back, in file order. It keeps a key of its
// own (not the writer's DataKey), set from the seed with SetKey, and follows
// the swap after every text as the writer did.
class Data1Reader {
public:
    explicit Data1Reader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    void SetKey(const DataKeyTable& key) { key_ = key; }
    const DataKeyTable& Key() const { return key_; }

    std::uint8_t ReadByte();
    std::uint8_t ReadTag();
    std::string ReadText();
    std::string ReadPlainText();
    bool ReadBool();
    std::int32_t ReadInt();
    std::uint32_t ReadUInt();
    double ReadFloat();
    TNodeAddress ReadNodeAddress();

    // Reads a tag and checks it is `expected`.
    void ExpectTag(std::uint8_t expected);

    bool AtEnd() const { return position_ >= bytes_.size(); }
    std::size_t Position() const { return position_; }

private:
    std::uint8_t RawByte();
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
    DataKeyTable key_{};
};

}  // namespace torvane
