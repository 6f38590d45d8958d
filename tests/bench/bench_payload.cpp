// Extraction of a client-sized payload (3.6 MB inflated) to a real file,
// against a plain zlib inflate of the same stream to a file. The extraction
// adds the 1 KiB progress steps, a message pump per step and the write beside
// the target followed by the rename.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <vector>

#include "common/StdioFileSystem.h"
#include "fakes/HeadlessHost.h"
#include "panels/ProgressControls.h"
#include "payload/ExtractPayload.h"
#include "ui/Form.h"

namespace {

using namespace torvane;

struct ClientSizedPayload {
    ClientSizedPayload() {
        original.resize(3646976);
        std::uint32_t s = 1;
        for (std::size_t i = 0; i < original.size(); ++i) {
            s = s * 1664525u + 1013904223u;
            original[i] = (i / 48) % 2 ? static_cast<std::uint8_t>(s >> 24)
                                       : static_cast<std::uint8_t>(i % 97);
        }
        uLongf size = compressBound(original.size());
        stream.resize(size);
        compress2(stream.data(), &size, original.data(), original.size(), Z_BEST_COMPRESSION);
        stream.resize(size);
        chunks.assign((stream.size() + 1023) / 1024, {});
        for (std::size_t i = 0; i < stream.size(); ++i) chunks[i / 1024][i % 1024] = stream[i];
        table = {reinterpret_cast<const std::uint8_t(*)[1024]>(chunks.data()),
                 static_cast<int>(chunks.size()), static_cast<std::uint32_t>(stream.size()),
                 static_cast<std::uint32_t>(original.size())};
    }
    std::vector<std::uint8_t> original, stream;
    std::vector<std::array<std::uint8_t, 1024>> chunks;
    PayloadTable table{};
};

const ClientSizedPayload& Payload() {
    static const ClientSizedPayload payload;
    return payload;
}

void BM_ExtractPayload(benchmark::State& state) {
    const ClientSizedPayload& payload = Payload();
    testing::HeadlessHost host;
    ui::Application app{host};
    ui::Form form{app};
    ui::ProgressBar bar(&form);
    ui::Label label(&form);
    bar.SetMax(7317410);
    tools::StdioFileSystem files;
    for (auto _ : state)
        ExtractChunkedPayload(payload.table, "/tmp/bench_extract.exe",
                              {files, BarProgress(&bar, &label, app)});
    state.SetBytesProcessed(state.iterations() * payload.original.size());
    std::remove("/tmp/bench_extract.exe");
}
BENCHMARK(BM_ExtractPayload)->Unit(benchmark::kMillisecond);

void BM_PlainInflateToFile(benchmark::State& state) {
    const ClientSizedPayload& payload = Payload();
    std::vector<std::uint8_t> out(64 * 1024);
    for (auto _ : state) {
        std::FILE* file = std::fopen("/tmp/bench_plain.exe", "wb");
        z_stream z{};
        inflateInit(&z);
        z.next_in = const_cast<Bytef*>(payload.stream.data());
        z.avail_in = static_cast<uInt>(payload.stream.size());
        int result;
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            result = inflate(&z, Z_NO_FLUSH);
            std::fwrite(out.data(), 1, out.size() - z.avail_out, file);
        } while (result == Z_OK);
        inflateEnd(&z);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * payload.original.size());
    std::remove("/tmp/bench_plain.exe");
}
BENCHMARK(BM_PlainInflateToFile)->Unit(benchmark::kMillisecond);

}  // namespace
