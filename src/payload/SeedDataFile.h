#pragma once
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/GuidSource.h"

namespace torvane {

// The code this build of the installer identifies itself with in the data
// files it writes.
inline constexpr const char* kBuildSourceCode = "01";

// What writing a data file needs from around it.
struct DataFileServices {
    platform::FileSystem& files;
    platform::GuidSource& guids;
    platform::Clock& clock;
    // Called with 94, 95, 96, 98 and 99 as the file grows; the installing
    // panel moves its bar and lets window messages run.
    std::function<void(int percent)> progress;
};

// What the file says about this installation: the install state at the
// time of writing.
struct DataFileInputs {
    std::string workDir;
    std::string downloadDir;
    std::string sourceCode;
    int connectionType = 8;
};

// Writes a complete client data file at `path` (created or truncated): the
// header with a fresh key, identity and time stamps, the download folder,
// both node lists, the settings and the hash list. The header holds the
// download folder as given; the settings hold it without one trailing
// backslash, and that is what is returned (the installing panel keeps it as
// its download folder, so a second file loses one more). A failing file
// raises the run-time's I/O error at the record being written; nothing is
// caught here. The seed lists are inflated first, for this file alone:
// damaged ones raise EDecompressionError before the file is created.
std::string WriteDataFile(const std::string& path, const DataFileInputs& inputs,
                          const DataFileServices& services);

// The figure the client takes from the connection kind chosen in the wizard.
int ConnectionFigure(int connectionType);

}  // namespace torvane
