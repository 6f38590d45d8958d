#pragma once
// What the demonstration client shows, free of Windows: where it looks for
// its data file and the lines it shows for a file that decodes, for no file
// at all, and for a file that does not decode.
#include <string>
#include <vector>

#include "payload/DataFileDecoder.h"

namespace torvane::client {

// The window's caption.
std::string Caption();

// The files to try, in order: "<local application data>\Torvane P2P\Torvane.Dat"
// (left out when that folder is unknown, i.e. empty), then "QVInst.Dat" in
// the program's own folder. The first that exists is the data file.
std::vector<std::string> DataFileCandidates(const std::string& localAppData,
                                            const std::string& programFolder);

// One line per item: the file, the folders, connection figure, GUID, list
// sizes and the version.
std::vector<std::string> DescribeDataFile(const std::string& path,
                                          const DataFileContents& contents);

// Neither candidate exists: says so and names the places searched.
std::vector<std::string> DescribeNoDataFile(const std::vector<std::string>& searched);

// The file exists but cannot be read or decoded.
std::vector<std::string> DescribeUnreadable(const std::string& path, const std::string& reason);

}  // namespace torvane::client
