#pragma once
#include <cstdint>

// A carried file as the program holds it: one zlib stream (header 78 DA,
// deflate data, Adler-32 trailer) cut into numbered chunks of 1024 bytes.
//
//   chunk 1            chunk 2                  chunk N
//   [78 DA deflate...][...deflate...]  ...  [...Adler-32][filler]
//
// The stream starts with the first byte of chunk 1 and ends inside chunk N;
// the filler after it is never read. The tables are generated at build time
// by tools/packer from the real executables.
namespace torvane {

constexpr int kPayloadChunkSize = 1024;

struct PayloadTable {
    const std::uint8_t (*chunks)[kPayloadChunkSize];
    int chunkCount;
    std::uint32_t compressedSize;  // bytes of the zlib stream
    std::uint32_t inflatedSize;    // bytes of the file it inflates to
};

}  // namespace torvane
