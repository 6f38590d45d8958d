#pragma once
#include <cstdint>
#include <string>

#include "lib/BufferedWriter.h"

// The header of a client data file: the 24 records that follow the opening 0
// and the key seed. The writer and the decoder both walk one table of them
// (DataFileHeader.cpp), so the layout is stated once and the two cannot
// drift apart.
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
