#pragma once
#include <cstdint>
#include <string>

#include "lib/BufferedWriter.h"

// The header of a client data file: the 23 records, numbered 3 to 25, that
// follow the opening 0 (record 1) and the key seed (record 2):
//
//   3 work folder        4 download folder    5-6 fixed 3, 3
//   7 source code        8 fixed 100          9-11 empty texts
//   12 fixed 0           13 expiry date       14 fixed true
//   15 GUID              16 fixed false       17-18 fixed 0, 0
//   19 fixed false       20 fixed 120         21 fixed true
//   22 installer URL     23 mirror URL        24 day number
//   25 connection figure
//
// The download folder block follows. The writer and the decoder both walk
// one table of them (DataFileHeaderRecords.cpp), so the layout is stated
// once and the two cannot drift apart.
namespace torvane {

class Data1Reader;
class TLibData1_ReadWrite;

// What the header says about this installation; every other record of the
// header is fixed.
struct DataFileHeader {
    std::string workDir;
    std::string downloadDir;  // as the install state holds it
    std::string sourceCode;
    double expiry = 0;  // today + 25 days at writing
    std::string guid;   // the 38-character form
    std::string installerUrl;
    std::string mirrorInstallerUrl;
    std::int32_t dayNumber = 0;  // the day 100 days before writing
    std::int32_t connectionFigure = 0;
};

// Writes the header records, in file order, through the writer's key.
void WriteDataFileHeader(TLibData1_ReadWrite& writer, BufferedWriter& out,
                         const DataFileHeader& header);

// Reads them back. Raises DataFormatError where a fixed record differs.
DataFileHeader ReadDataFileHeader(Data1Reader& reader);

}  // namespace torvane
