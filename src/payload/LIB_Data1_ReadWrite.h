#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lib/BufferedWriter.h"
#include "payload/LIB_DataTypes.h"
#include "platform/GuidSource.h"

// The client's data file: a flat stream of self-delimiting records.
//
//   every byte   v >= 32: v            v < 32: 1F, v + 84       (so 0..30 never appear)
//   tag          (t + DataKey[16]) mod 256
//   text         k (1..254), L low, L high, then s[j] + DataKey[(k + j) mod 256];
//                afterwards DataKey[k-1] and DataKey[k+1] swap (nothing for k = 254)
//   plain text   L low, L high, the bytes as they are
//   Boolean      140..169 true, 100..129 false (random within the range)
//   numbers, date-times and GUIDs are texts of their decimal or 38-character form
//   node address six tags: z, x, port high, port low, w, y
//
// The key is derived from random bytes stored as plain text at the start of
// the same file, so a reader derives the same key and, reading the records in
// file order, follows every swap.
namespace torvane {

using DataKeyTable = std::array<std::uint8_t, 256>;

// The key of the data file being written. One per process: one data file is
// written at a time.
extern DataKeyTable DataKey;

// Makes a fresh random seed of 879..977 bytes (each 14..253), sets DataKey
// from it and returns it for storage with WritePlainText.
std::string MakeDataKey();
// The 256-byte key of a seed.
DataKeyTable DeriveDataKey(const std::string& seed);
// Exchanges DataKey[i-1] and DataKey[j-1]; nothing when i or j is 0.
void SwapKeyBytes(std::uint8_t i, std::uint8_t j);

// The writer. Every operation ends in WriteByte, so every byte on disk obeys
// the escape rule. Failures of the file surface as the file raises them.
class TLibData1_ReadWrite {
public:
    using File = BufferedWriter;

    void WriteByte(File& f, std::uint8_t v);
    void WriteTag(File& f, std::uint8_t t);
    void WriteTagWord(File& f, std::uint16_t w);
    // Refuses texts longer than 65535 bytes: only 16 bits of length are
    // stored, and a wrong length would garble every record after it.
    void WriteText(File& f, const std::string& s);
    void WritePlainText(File& f, const std::string& s);
    void WriteBool(File& f, bool value);
    void WriteInt(File& f, std::int32_t n);
    void WriteUInt(File& f, std::uint32_t n);
    void WriteFloat(File& f, double x);
    void WriteDateTime(File& f, double dateTime);
    void WriteIntOfFloat(File& f, double x);
    void WriteGuid(File& f, const platform::Guid& guid);
    void WriteNodeAddress(File& f, const TNodeAddress& address);
};

// The writer of the data file being written, for the routines that write the
// long seed lists; set only while a data file is being written.
extern TLibData1_ReadWrite* DataWriter;

// Text forms shared by writer and reader.
std::string FloatText(double x);                   // 15 significant digits, no trailing zeros
std::string GuidText(const platform::Guid& guid);  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
// The low 32 bits of x truncated toward zero, as WriteIntOfFloat stores it.
std::int32_t IntOfFloat(double x);

}  // namespace torvane
