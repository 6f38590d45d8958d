// Decodes a client data file ("Torvane.Dat", "QVInst.Dat") and prints what it
// holds: the header, the folders, the counts of the lists and the settings.
// Exit code 0 when the whole file decodes, 1 when it does not.
//
// Usage: dump <file> [--all]     (--all also prints every list entry)

#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

#include "payload/DataFileDecoder.h"

using namespace torvane;

namespace {
std::string Address(const TNodeAddress& a) {
    return std::to_string(a.w) + "." + std::to_string(a.x) + "." + std::to_string(a.y) + "." +
           std::to_string(a.z) + ":" + std::to_string(a.port);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: dump <data file> [--all]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot open " << argv[1] << "\n";
        return 2;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    const bool all = argc > 2 && std::string(argv[2]) == "--all";
    try {
        const DataFileContents c = DecodeDataFile(std::move(bytes));
        std::cout << "key seed bytes: " << c.keySeed.size() << "\n"
                  << "work folder: " << c.workDir << "\n"
                  << "download folder (header): " << c.downloadDir << "\n"
                  << "download folder: " << c.downloadFolder << "\n"
                  << "source code: " << c.sourceCode << "\n"
                  << "guid: " << c.guid << "\n"
                  << "installer: " << c.installerUrl << "\n"
                  << "mirror installer: " << c.mirrorInstallerUrl << "\n"
                  << "expiry: " << FloatText(c.expiry) << "\n"
                  << "day number: " << c.dayNumber << "\n"
                  << "connection figure: " << c.connectionFigure << "\n"
                  << "remote settings: " << c.remoteSettings[0] << " | " << c.remoteSettings[1]
                  << " | " << c.remoteSettings[2] << " | " << c.remoteSettings[3] << "\n"
                  << "nodes A: " << c.nodesA.size() << "\n"
                  << "nodes B: " << c.nodesB.size() << "\n"
                  << "settings: " << c.settings.size() << "\n"
                  << "hashes: " << c.hashes.size() << "\n";
        std::map<std::string, int> names;
        for (const auto& s : c.settings) ++names[s.first];
        for (const auto& [name, count] : names)
            std::cout << "setting " << name << ": " << count << "\n";
        if (all) {
            for (const auto& a : c.nodesA) std::cout << "A " << Address(a) << "\n";
            for (const auto& b : c.nodesB) std::cout << "B " << Address(b) << "\n";
            for (const auto& s : c.settings)
                std::cout << "S " << s.first << "=" << s.second << "\n";
            for (const auto& h : c.hashes) std::cout << "H " << h.first << " " << h.second << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "does not decode: " << e.what() << "\n";
        return 1;
    }
}
