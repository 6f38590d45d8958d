#pragma once
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/GuidSource.h"

namespace torvane {

// What writing a data file needs from around it.
struct DataFileServices {
    platform::FileSystem& files;
    platform::GuidSource& guids;
    platform::Clock& clock;
    // Called with 94, 95, 96, 98 and 99 as the file grows; the installing
    // panel moves its bar and lets window messages run.
    std::function<void(int percent)> progress;
};

// Writes a complete client data file at `path` (created or truncated): the
// header with a fresh key, identity and time stamps, the download folder,
// both node lists, the settings and the hash list. Reads WorkDir,
// DownloadDir, SourceCode and ConnectionType; removes one trailing backslash
// from DownloadDir itself. A failing file raises the run-time's I/O error at
// the record being written; nothing is caught here.
void WriteDataFile(const std::string& path, const DataFileServices& services);

// The figure the client takes from the connection kind chosen in the wizard.
int ConnectionFigure(int connectionType);

}  // namespace torvane
