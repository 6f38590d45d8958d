#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "payload/Data1Reader.h"
#include "payload/DataFileHeader.h"

namespace torvane {

// Everything a client data file holds, decoded: the header's fields, then
// what follows it. The demonstration client, the dump tool and the tests read
// files through this.
struct DataFileContents : DataFileHeader {
    std::string keySeed;
    std::string downloadFolder;  // the download folder block
    std::vector<TNodeAddress> nodesA;
    std::vector<double> nodeAStamps;  // the first time stamp of each entry
    std::vector<TNodeAddress> nodesB;
    std::vector<std::string> remoteSettings;  // the four unscrambled values
    std::vector<std::pair<std::string, std::string>> settings;
    std::vector<std::pair<std::string, std::uint32_t>> hashes;
};

// Decodes a whole data file, checking every tag and the end of the data.
// Raises DataFormatError where the file departs from the format.
DataFileContents DecodeDataFile(std::vector<std::uint8_t> bytes);

}  // namespace torvane
