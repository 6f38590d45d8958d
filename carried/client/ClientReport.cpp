#include "client/ClientReport.h"

#include "common/CarriedVersion.h"

namespace torvane::client {

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::string VersionLine() {
    return "Version: " TORVANE_CARRIED_VERSION_TEXT " (demonstration client)";
}

}  // namespace

std::string Caption() { return TORVANE_CARRIED_PRODUCT " " TORVANE_CARRIED_VERSION_TEXT; }

std::vector<std::string> DataFileCandidates(const std::string& localAppData,
                                            const std::string& programFolder) {
    std::vector<std::string> candidates;
    if (!localAppData.empty())
        candidates.push_back(Joined(Joined(localAppData, "Torvane P2P"), "Torvane.Dat"));
    candidates.push_back(Joined(programFolder, "QVInst.Dat"));
    return candidates;
}

std::vector<std::string> DescribeDataFile(const std::string& path, const DataFileContents& c) {
    return {
        "Data file: " + path,
        "Work folder: " + c.workDir,
        "Download folder: " + c.downloadFolder,
        "Connection: " + std::to_string(c.connectionFigure),
        "GUID: " + c.guid,
        "Nodes: " + std::to_string(c.nodesA.size()) + " + " + std::to_string(c.nodesB.size()),
        "Settings: " + std::to_string(c.settings.size()),
        "Hashes: " + std::to_string(c.hashes.size()),
        VersionLine(),
    };
}

std::vector<std::string> DescribeNoDataFile(const std::vector<std::string>& searched) {
    std::vector<std::string> lines{"No data file found."};
    for (const std::string& path : searched) lines.push_back("Looked for: " + path);
    lines.push_back(VersionLine());
    return lines;
}

std::vector<std::string> DescribeUnreadable(const std::string& path, const std::string& reason) {
    return {"Data file: " + path, "The data file could not be read: " + reason, VersionLine()};
}

}  // namespace torvane::client
