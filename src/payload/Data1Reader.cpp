#include "payload/Data1Reader.h"

#include <cerrno>
#include <cstdlib>

namespace torvane {

std::uint8_t Data1Reader::RawByte() {
    if (position_ >= bytes_.size()) throw DataFormatError("Unexpected end of data", position_);
    return bytes_[position_++];
}

std::uint8_t Data1Reader::ReadByte() {
    const std::size_t at = position_;
    std::uint8_t b = RawByte();
    if (b == 0x1F) {
        std::uint8_t next = RawByte();
        if (next < 84 || next > 84 + 31) throw DataFormatError("Bad escape", at);
        return static_cast<std::uint8_t>(next - 84);
    }
    if (b < 32) throw DataFormatError("Unescaped control byte", at);
    return b;
}

std::uint8_t Data1Reader::ReadTag() { return static_cast<std::uint8_t>(ReadByte() - key_[16]); }

void Data1Reader::ExpectTag(std::uint8_t expected) {
    const std::size_t at = position_;
    std::uint8_t tag = ReadTag();
    if (tag != expected)
        throw DataFormatError(
            "Tag " + std::to_string(tag) + " where " + std::to_string(expected) + " belongs", at);
}

std::string Data1Reader::ReadText() {
    const std::size_t at = position_;
    const std::uint8_t k = ReadByte();
    if (k < 1 || k > 254) throw DataFormatError("Bad text key index", at);
    std::size_t length = ReadByte();
    length |= static_cast<std::size_t>(ReadByte()) << 8;
    std::string text(length, '\0');
    for (std::size_t j = 0; j < length; ++j)
        text[j] = static_cast<char>(static_cast<std::uint8_t>(ReadByte() - key_[(k + j) % 256]));
    const std::uint8_t other = static_cast<std::uint8_t>((k + 2) % 256);
    if (other != 0) std::swap(key_[k - 1], key_[other - 1]);
    return text;
}

std::string Data1Reader::ReadPlainText() {
    std::size_t length = ReadByte();
    length |= static_cast<std::size_t>(ReadByte()) << 8;
    std::string text(length, '\0');
    for (char& c : text) c = static_cast<char>(ReadByte());
    return text;
}

bool Data1Reader::ReadBool() {
    const std::size_t at = position_;
    const std::uint8_t b = ReadByte();
    if (b >= 140 && b <= 169) return true;
    if (b >= 100 && b <= 129) return false;
    throw DataFormatError("Bad Boolean byte " + std::to_string(b), at);
}

std::int32_t Data1Reader::ReadInt() {
    const std::size_t at = position_;
    const std::string text = ReadText();
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX)
        throw DataFormatError("Bad integer \"" + text + "\"", at);
    return static_cast<std::int32_t>(value);
}

std::uint32_t Data1Reader::ReadUInt() {
    const std::size_t at = position_;
    const std::string text = ReadText();
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || value > UINT32_MAX)
        throw DataFormatError("Bad unsigned integer \"" + text + "\"", at);
    return static_cast<std::uint32_t>(value);
}

double Data1Reader::ReadFloat() {
    const std::size_t at = position_;
    const std::string text = ReadText();
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') throw DataFormatError("Bad number \"" + text + "\"", at);
    return value;
}

TNodeAddress Data1Reader::ReadNodeAddress() {
    TNodeAddress a;
    a.z = ReadTag();
    a.x = ReadTag();
    const std::uint8_t high = ReadTag();
    a.port = static_cast<std::uint16_t>(high << 8 | ReadTag());
    a.w = ReadTag();
    a.y = ReadTag();
    return a;
}

}  // namespace torvane
