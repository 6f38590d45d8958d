// Writes a client data file with the installer's own writer, for tests and
// benchmarks on the host.
//
// Usage: mkdatafile <output> <work folder> <download folder> <connection type>

#include <chrono>
#include <ctime>
#include <iostream>
#include <random>

#include "base/DateTime.h"
#include "common/StdioFileSystem.h"
#include "payload/SeedDataFile.h"

using namespace torvane;

namespace {
class HostClock : public platform::Clock {
public:
    std::uint64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Sleep(unsigned) override {}
    double LocalNow() override {
        std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min, local.tm_sec, 0);
    }
};

class RandomGuids : public platform::GuidSource {
public:
    platform::Guid NewGuid() override {
        platform::Guid g;
        g.data1 = static_cast<std::uint32_t>(engine_());
        g.data2 = static_cast<std::uint16_t>(engine_());
        g.data3 = static_cast<std::uint16_t>((engine_() & 0x0FFF) | 0x4000);
        for (auto& b : g.data4) b = static_cast<std::uint8_t>(engine_());
        return g;
    }

private:
    std::random_device engine_;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr
            << "usage: mkdatafile <output> <work folder> <download folder> <connection type>\n";
        return 2;
    }
    const DataFileInputs inputs{argv[2], argv[3], kBuildSourceCode, std::atoi(argv[4])};
    tools::StdioFileSystem files;
    HostClock clock;
    RandomGuids guids;
    try {
        WriteDataFile(argv[1], inputs, DataFileServices{files, guids, clock, [](int) {}});
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
