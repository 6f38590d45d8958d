#include "payload/DataFileHeader.h"

#include "payload/Data1Reader.h"
#include "payload/DataFileHeaderRecords.h"

namespace torvane {

namespace header_records {

namespace {

using T = HeaderRecord::Type;
using H = DataFileHeader;

std::string Describe(const HeaderRecord& record) {
    return "header record " + std::to_string(record.number);
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
}  // namespace header_records

DataFileHeader ReadDataFileHeader(Data1Reader& reader) {
    using namespace header_records;
    DataFileHeader header;
    for (std::size_t i = 0; i < kHeaderCount; ++i) Read(kHeader[i], reader, header);
    return header;
}

}  // namespace torvane
