#include "payload/LIB_Data1_ReadWrite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/Exceptions.h"
#include "lib/LIB_Random.h"

namespace torvane {

DataKeyTable DataKey{};
TLibData1_ReadWrite* DataWriter = nullptr;

std::string MakeDataKey() {
    const std::uint32_t length = 879 + Random(99);
    std::string seed(length, '\0');
    for (char& c : seed) c = static_cast<char>(14 + Random(240));
    DataKey = DeriveDataKey(seed);
    return seed;
}

void SwapKeyBytes(std::uint8_t i, std::uint8_t j) {
    if (i == 0 || j == 0) return;
    std::swap(DataKey[i - 1], DataKey[j - 1]);
}

void TLibData1_ReadWrite::WriteByte(File& f, std::uint8_t v) {
    if (v >= 32) {
        f.Put(v);
    } else {
        f.Put(0x1F);
        f.Put(static_cast<std::uint8_t>(v + 84));
    }
}

void TLibData1_ReadWrite::WriteTag(File& f, std::uint8_t t) {
    WriteByte(f, static_cast<std::uint8_t>(t + DataKey[16]));
}

void TLibData1_ReadWrite::WriteTagWord(File& f, std::uint16_t w) {
    WriteTag(f, static_cast<std::uint8_t>(w >> 8));
    WriteTag(f, static_cast<std::uint8_t>(w));
}

void TLibData1_ReadWrite::WriteText(File& f, const std::string& s) {
    if (s.size() > 0xFFFF)
        throw Exception("Text too long for a data record (" + std::to_string(s.size()) + " bytes)");
    const std::uint8_t k = static_cast<std::uint8_t>(1 + Random(254));
    WriteByte(f, k);
    WriteByte(f, static_cast<std::uint8_t>(s.size()));
    WriteByte(f, static_cast<std::uint8_t>(s.size() >> 8));
    for (std::size_t j = 0; j < s.size(); ++j)
        WriteByte(
            f, static_cast<std::uint8_t>(static_cast<std::uint8_t>(s[j]) + DataKey[(k + j) % 256]));
    SwapKeyBytes(k, static_cast<std::uint8_t>((k + 2) % 256));
}

void TLibData1_ReadWrite::WritePlainText(File& f, const std::string& s) {
    // The length has two bytes, as for WriteText: a longer text would be cut
    // to its low 16 bits and the record after it read from its middle.
    if (s.size() > 0xFFFF)
        throw Exception("Text too long for a data record (" + std::to_string(s.size()) + " bytes)");
    WriteByte(f, static_cast<std::uint8_t>(s.size()));
    WriteByte(f, static_cast<std::uint8_t>(s.size() >> 8));
    for (char c : s) WriteByte(f, static_cast<std::uint8_t>(c));
}

void TLibData1_ReadWrite::WriteBool(File& f, bool value) {
    WriteByte(f, static_cast<std::uint8_t>((value ? 140 : 100) + Random(30)));
}

void TLibData1_ReadWrite::WriteInt(File& f, std::int32_t n) { WriteText(f, std::to_string(n)); }

void TLibData1_ReadWrite::WriteUInt(File& f, std::uint32_t n) { WriteText(f, std::to_string(n)); }

void TLibData1_ReadWrite::WriteFloat(File& f, double x) { WriteText(f, FloatText(x)); }

void TLibData1_ReadWrite::WriteDateTime(File& f, double dateTime) { WriteFloat(f, dateTime); }

std::int32_t IntOfFloat(double x) {
    const auto truncated = static_cast<std::int64_t>(std::trunc(x));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
}

void TLibData1_ReadWrite::WriteIntOfFloat(File& f, double x) { WriteInt(f, IntOfFloat(x)); }

void TLibData1_ReadWrite::WriteGuid(File& f, const platform::Guid& guid) {
    WriteText(f, GuidText(guid));
}

void TLibData1_ReadWrite::WriteNodeAddress(File& f, const TNodeAddress& a) {
    WriteTag(f, a.z);
    WriteTag(f, a.x);
    WriteTag(f, static_cast<std::uint8_t>(a.port >> 8));
    WriteTag(f, static_cast<std::uint8_t>(a.port));
    WriteTag(f, a.w);
    WriteTag(f, a.y);
}

std::string FloatText(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", x);
    std::string result = text;
    if (result == "-0") result = "0";
    return result;
}

std::string GuidText(const platform::Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.data1), g.data2, g.data3, g.data4[0], g.data4[1],
                  g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

}  // namespace torvane
