#include "payload/DataFileHeader.h"

#include <iterator>

#include "payload/Data1Reader.h"
#include "payload/LIB_Data1_ReadWrite.h"

namespace torvane {

namespace {

// One header record: either a field of the installation's or a fixed value.
struct HeaderRecord {
    enum class Type { Text, Int, Bool, Float };
    Type type;
    // For messages about a fixed record that differs ("header record 5").
    int number;
    std::string DataFileHeader::*text = nullptr;
    std::int32_t DataFileHeader::*integer = nullptr;
    double DataFileHeader::*real = nullptr;
    // The value of a fixed record.
    std::int32_t fixedInt = 0;
    bool fixedBool = false;

    bool IsFixed() const { return text == nullptr && integer == nullptr && real == nullptr; }
};

using T = HeaderRecord::Type;
using H = DataFileHeader;

HeaderRecord Text(int number, std::string H::*field) { return {T::Text, number, field}; }
HeaderRecord Int(int number, std::int32_t H::*field) { return {T::Int, number, nullptr, field}; }
HeaderRecord Float(int number, double H::*field) {
    return {T::Float, number, nullptr, nullptr, field};
}
HeaderRecord FixedText(int number) { return {T::Text, number}; }  // always empty
HeaderRecord FixedInt(int number, std::int32_t value) {
    return {T::Int, number, nullptr, nullptr, nullptr, value};
}
HeaderRecord FixedBool(int number, bool value) {
    return {T::Bool, number, nullptr, nullptr, nullptr, 0, value};
}

// Records 1 and 2 (the 0 and the key seed) come before; the download folder
// block follows.
const HeaderRecord kHeader[] = {
    Text(3, &H::workDir),
    Text(4, &H::downloadDir),
    FixedInt(5, 3),
    FixedInt(6, 3),
    Text(7, &H::sourceCode),
    FixedInt(8, 100),
    FixedText(9),
    FixedText(10),
    FixedText(11),
    FixedInt(12, 0),
    Float(13, &H::expiry),
    FixedBool(14, true),
    Text(15, &H::guid),
    FixedBool(16, false),
    FixedInt(17, 0),
    FixedInt(18, 0),
    FixedBool(19, false),
    FixedInt(20, 120),
    FixedBool(21, true),
    Text(22, &H::installerUrl),
    Text(23, &H::mirrorInstallerUrl),
    Int(24, &H::dayNumber),
    Int(25, &H::connectionFigure),
};
static_assert(std::size(kHeader) == 23, "the header has records 3 to 25");

std::string Describe(const HeaderRecord& record) {
    return "header record " + std::to_string(record.number);
}

void Write(const HeaderRecord& record, TLibData1_ReadWrite& writer, BufferedWriter& out,
           const H& header) {
    switch (record.type) {
        case T::Text:
            writer.WriteText(out, record.text ? header.*record.text : std::string());
            break;
        case T::Int:
            writer.WriteInt(out, record.integer ? header.*record.integer : record.fixedInt);
            break;
        case T::Bool:
            writer.WriteBool(out, record.fixedBool);
            break;
        case T::Float:
            writer.WriteFloat(out, header.*record.real);
            break;
    }
}

void Read(const HeaderRecord& record, Data1Reader& reader, H& header) {
    const std::size_t at = reader.Position();
    switch (record.type) {
        case T::Text: {
            std::string value = reader.ReadText();
            if (record.text) {
                header.*record.text = std::move(value);
            } else if (!value.empty()) {
                throw DataFormatError(Describe(record) + " has the wrong text", at);
            }
            break;
        }
        case T::Int: {
            const std::int32_t value = reader.ReadInt();
            if (record.integer) {
                header.*record.integer = value;
            } else if (value != record.fixedInt) {
                throw DataFormatError(Describe(record) + " is " + std::to_string(value) + ", not " +
                                          std::to_string(record.fixedInt),
                                      at);
            }
            break;
        }
        case T::Bool:
            if (reader.ReadBool() != record.fixedBool)
                throw DataFormatError(Describe(record) + " has the wrong value", at);
            break;
        case T::Float:
            header.*record.real = reader.ReadFloat();
            break;
    }
}

}  // namespace

void WriteDataFileHeader(TLibData1_ReadWrite& writer, BufferedWriter& out,
                         const DataFileHeader& header) {
    for (const HeaderRecord& record : kHeader) Write(record, writer, out, header);
}

DataFileHeader ReadDataFileHeader(Data1Reader& reader) {
    DataFileHeader header;
    for (const HeaderRecord& record : kHeader) Read(record, reader, header);
    return header;
}

}  // namespace torvane
