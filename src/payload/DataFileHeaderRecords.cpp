// The table of the header records, in file order: the one statement of the
// header's layout that the writer's walk (DataFileHeaderWriter.cpp) and the
// decoder's (DataFileHeader.cpp) both follow. A file of its own, so that the
// setup, which only writes, carries no reader, and the client, which only
// reads, no writer.
#include "payload/DataFileHeaderRecords.h"

namespace torvane {

namespace header_records {

namespace {

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

}  // namespace

// Records 1 and 2 (the 0 and the key seed) come before; the download folder
// block follows.
extern const HeaderRecord kHeader[] = {
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
extern const std::size_t kHeaderCount = 23;
static_assert(sizeof(kHeader) / sizeof(kHeader[0]) == 23, "the header has records 3 to 25");

}  // namespace header_records

}  // namespace torvane
