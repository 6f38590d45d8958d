// Writing one complete client data file: time per file, bytes, and the number
// of write calls that reach the file (buffered: one per 4 KiB block).
#include <benchmark/benchmark.h>

#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "payload/SeedDataFile.h"

namespace {

using namespace torvane;

void BM_WriteDataFile(benchmark::State& state) {
    testing::MemoryFileSystem files;
    testing::CountingGuidSource guids;
    testing::FakeClock clock;
    DataFileServices services{files, guids, clock, [](int) {}};
    std::size_t bytes = 0;
    int writes = 0;
    for (auto _ : state) {
        const DataFileInputs inputs{"C:\\Users\\me\\AppData\\Local\\Torvane P2P\\",
                                    "D:\\Downloads\\", "01", 8};
        WriteDataFile("Torvane.Dat", inputs, services);
        bytes = files.Bytes("Torvane.Dat").size();
        writes = files.files.at("Torvane.Dat")->writes;
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.counters["write_calls"] = writes;
    state.counters["bytes_per_write"] = static_cast<double>(bytes) / writes;
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

}  // namespace
