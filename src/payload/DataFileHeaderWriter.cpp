#include "payload/DataFileHeader.h"
#include "payload/DataFileHeaderRecords.h"
#include "payload/LIB_Data1_ReadWrite.h"

namespace torvane {

namespace {

using namespace header_records;
using T = HeaderRecord::Type;

void Write(const HeaderRecord& record, TLibData1_ReadWrite& writer, BufferedWriter& out,
           const DataFileHeader& header) {
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

}  // namespace

void WriteDataFileHeader(TLibData1_ReadWrite& writer, BufferedWriter& out,
                         const DataFileHeader& header) {
    for (std::size_t i = 0; i < kHeaderCount; ++i) Write(kHeader[i], writer, out, header);
}

}  // namespace torvane
