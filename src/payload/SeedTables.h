#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The seed lists of the client's first data file. The program carries them as
// one zlib stream, made at build time by tools/seedgen, and inflates them for
// each data file it writes: as arrays of texts they took nearly three times
// the room (docs/data-file.md has the figures).
//
// The inflated stream is a run of tables, each a 16-bit row count (low byte
// first) and then its rows' fields column by column: every byte of a field
// is one column of `count` bytes (a number's bytes lowest first), so that
// alike bytes stand together.
//
//   node list A, node list B          w, x, y, z, port
//   the node-text settings, in        w, x, y, z, port of "ddd.ddd.ddd.ddd:port"
//   kNodeTextTables order
//   blocked ranges                    the seven groups of three digits, each a byte
//   hashes                            the 20 bytes of the 160-bit value the 32
//                                     base32 characters spell, then the size
//
// Texts come back exactly as they were generated: the stream holds only what
// tells one apart from another.
namespace torvane {

struct SeedNode {
    std::uint8_t w, x, y, z;
    std::uint16_t port;
};

struct SeedHash {
    std::string hash;  // 32 base32 characters (A-Z, 2-7), a 160-bit value
    std::uint32_t size;
};

struct SeedTables {
    std::vector<SeedNode> nodeListA;
    std::vector<SeedNode> nodeListB;
    // The settings of those names: node texts "ddd.ddd.ddd.ddd:port" (each
    // octet three digits, the port as it is) ...
    std::vector<std::string> qqNodeVesk;
    std::vector<std::string> qNodeIP;
    std::vector<std::string> qNodeGnu;
    std::vector<std::string> qqNodeCurVesk;
    std::vector<std::string> qNodeVesk;
    // ... and ranges of 21 digits: start and end without their first octet,
    // three digits an octet, then the first octet.
    std::vector<std::string> qBlockedNode;
    std::vector<SeedHash> hashList;
};

// The stream's layout, shared by tools/seedgen's encoder and the decoder.
namespace seed_layout {
inline constexpr char kBase32[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
inline constexpr std::size_t kNodeColumns = 6;  // w, x, y, z, port (two bytes)
inline constexpr std::size_t kRangeGroups = 7;
inline constexpr std::size_t kHashBytes = 20;
inline constexpr std::size_t kHashColumns = kHashBytes + 4;  // then the size
}  // namespace seed_layout

// The node-text settings in the order the stream holds them.
inline constexpr std::vector<std::string> SeedTables::*kNodeTextTables[] = {
    &SeedTables::qqNodeVesk, &SeedTables::qNodeIP, &SeedTables::qNodeGnu,
    &SeedTables::qqNodeCurVesk, &SeedTables::qNodeVesk};

// The tables of a zlib stream that inflates to `inflatedSize` bytes. A
// stream that does not inflate to exactly that, or whose tables do not fill
// it exactly, raises EDecompressionError.
SeedTables DecodeSeedTables(const std::uint8_t* stream, std::size_t size, std::size_t inflatedSize);

// The tables the program carries.
SeedTables LoadSeedTables();

// Defined by the source tools/seedgen writes.
extern const std::uint8_t kSeedStream[];
extern const std::size_t kSeedStreamSize;
extern const std::size_t kSeedInflatedSize;

}  // namespace torvane
