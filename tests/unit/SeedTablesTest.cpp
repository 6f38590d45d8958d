#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/Sha256.h"
#include "generated/BuildConfig.h"
#include "lib/LIB_Random.h"
#include "payload/SeedDataFile.h"
#include "payload/SeedTables.h"
#include "seedgen/SeedEncoder.h"

namespace torvane {
namespace {

std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(Sha256, GivesTheStandardsExampleDigests) {
    EXPECT_EQ(testing::Sha256Hex({}),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(testing::Sha256Hex(BytesOf("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first block.
    EXPECT_EQ(
        testing::Sha256Hex(BytesOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
        "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

// The two files a first installation writes, Torvane.Dat and then QVInst.Dat
// with the folder the first handed back, over a fixed clock, numbered GUIDs
// and the random generator from its start. The fingerprints were recorded
// from the writer that still carried the seed lists as arrays of texts: the
// way the lists are carried must not change one byte of what is written.
TEST(SeedSections, AreWrittenByteForByteAsBefore) {
    if (std::string(config::kWebServer) != "http://www.torvane.example" ||
        std::string(config::kMirrorServer) != "http://mirror.torvane.example" ||
        std::string(config::kCounterServer) != "http://count.torvane.example")
        GTEST_SKIP() << "built with other servers; the recorded files name the default ones";
    testing::MemoryFileSystem files;
    testing::CountingGuidSource guids;
    testing::FakeClock clock;
    clock.localNow = EncodeDateTime(2026, 12, 8, 15, 30, 0, 0);
    DataFileServices services{files, guids, clock, [](int) {}};
    DataFileInputs inputs{"C:\\Users\\ann\\AppData\\Local\\Torvane P2P\\", "D:\\Shared\\", "01", 3};
    RandSeed = 0;
    inputs.downloadDir = WriteDataFile("Torvane.Dat", inputs, services);
    clock.Advance(1500);
    WriteDataFile("QVInst.Dat", inputs, services);

    EXPECT_EQ(files.Bytes("Torvane.Dat").size(), 241154u);
    EXPECT_EQ(testing::Sha256Hex(files.Bytes("Torvane.Dat")),
              "d2e1307c5d1a9f73ff8550438e997a6a5a726d3a1a70e6744696d0a2d57e0732");
    EXPECT_EQ(files.Bytes("QVInst.Dat").size(), 242192u);
    EXPECT_EQ(testing::Sha256Hex(files.Bytes("QVInst.Dat")),
              "6480ab17242fb4ce3022970bfe288e200f28b23a717cf73e9a4dff1d2bc2a7b1");
}

// Every table, and in each the edges of what its form holds.
SeedTables EdgeTables() {
    SeedTables t;
    t.nodeListA = {{0, 0, 0, 0, 0}, {255, 255, 255, 255, 65535}, {192, 0, 2, 1, 6346}};
    // node list B stays empty
    t.qqNodeVesk = {"000.000.000.000:0", "255.255.255.255:65535", "198.018.007.009:6346",
                    "000.000.000.000:0"};
    t.qNodeIP = {"203.000.113.254:5287"};
    t.qNodeGnu = {"198.051.100.007:1025", "198.019.255.001:9"};
    t.qqNodeCurVesk = {"192.000.002.010:6346"};
    t.qNodeVesk = {"198.018.000.001:10000"};
    t.qBlockedNode = {"000000000255255255224", "255255255000000000000", "018000007019255254198"};
    t.hashList = {{std::string(32, 'A'), 0},
                  {std::string(32, '7'), 0xFFFFFFFFu},
                  {"ABCDEFGHIJKLMNOPQRSTUVWXYZ234567", 918393628},
                  {"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAB", 22}};
    return t;
}

// All of the tables as text, to compare whole and show what differs.
std::string Dump(const SeedTables& t) {
    std::string out;
    for (const auto* list : {&t.nodeListA, &t.nodeListB}) {
        for (const SeedNode& n : *list)
            out += std::to_string(n.w) + "." + std::to_string(n.x) + "." + std::to_string(n.y) +
                   "." + std::to_string(n.z) + ":" + std::to_string(n.port) + " ";
        out += "|\n";
    }
    for (auto table : kNodeTextTables) {
        for (const std::string& text : t.*table) out += text + " ";
        out += "|\n";
    }
    for (const std::string& range : t.qBlockedNode) out += range + " ";
    out += "|\n";
    for (const SeedHash& h : t.hashList) out += h.hash + "=" + std::to_string(h.size) + " ";
    return out;
}

std::vector<std::uint8_t> Flat(const tools::SeedColumns& columns) {
    std::vector<std::uint8_t> bytes;
    for (const auto& column : columns) bytes.insert(bytes.end(), column.begin(), column.end());
    return bytes;
}

SeedTables Decode(const std::vector<std::uint8_t>& stream, std::size_t inflatedSize) {
    return DecodeSeedTables(stream.data(), stream.size(), inflatedSize);
}

TEST(SeedStream, GivesBackTheTablesItWasMadeOf) {
    const SeedTables tables = EdgeTables();
    const std::vector<std::uint8_t> inflated = Flat(tools::EncodeSeedColumns(tables));
    const std::vector<std::uint8_t> stream = tools::DeflateSeedColumns({inflated});
    EXPECT_EQ(Dump(Decode(stream, inflated.size())), Dump(tables));
    // Cut into its columns, the stream holds the same bytes.
    const tools::SeedColumns columns = tools::EncodeSeedColumns(tables);
    EXPECT_EQ(Dump(Decode(tools::DeflateSeedColumns(columns), inflated.size())), Dump(tables));

    const SeedTables none;
    const std::vector<std::uint8_t> empty = Flat(tools::EncodeSeedColumns(none));
    EXPECT_EQ(empty.size(), 2u * 9);  // nine counts of 0
    EXPECT_EQ(Dump(Decode(tools::DeflateSeedColumns({empty}), empty.size())), Dump(none));
}

TEST(SeedStream, RefusesTextsItCouldNotGiveBackAsTheyStand) {
    for (const char* text :
         {"1.2.3.4:5", "001.002.003.004:05", "001.002.003.004:65536", "256.000.000.001:1",
          " 01.002.003.004:1", "001.002.003.004", "001.002.003.004:1x", "001.002.003.004:+1", ""}) {
        SeedTables t;
        t.qNodeGnu = {text};
        EXPECT_THROW(tools::EncodeSeedColumns(t), std::invalid_argument) << text;
    }
    for (const char* range : {"00000000025525525522", "0000000002552552552240",
                              "000000000255255255256", "00000000025525525522x"}) {
        SeedTables t;
        t.qBlockedNode = {range};
        EXPECT_THROW(tools::EncodeSeedColumns(t), std::invalid_argument) << range;
    }
    for (const std::string& hash : std::vector<std::string>{
             std::string(31, 'A'), std::string(33, 'A'), std::string(32, 'a'),
             "ABCDEFGHIJKLMNOPQRSTUVWXYZ234568", "1BCDEFGHIJKLMNOPQRSTUVWXYZ234567",
             std::string(31, 'A') + '\0'}) {
        SeedTables t;
        t.hashList = {{hash, 1}};
        EXPECT_THROW(tools::EncodeSeedColumns(t), std::invalid_argument) << hash;
    }
    SeedTables tooMany;
    tooMany.nodeListB.resize(65536);
    EXPECT_THROW(tools::EncodeSeedColumns(tooMany), std::invalid_argument);
    tooMany.nodeListB.pop_back();
    EXPECT_EQ(
        Decode(tools::DeflateSeedColumns(tools::EncodeSeedColumns(tooMany)), 2 * 9 + 6 * 65535u)
            .nodeListB.size(),
        65535u);
}

// The program's own stream could only be damaged by a faulty build, but then
// it must fail in the open, not read past what it holds.
TEST(SeedStream, ADamagedStreamIsRefused) {
    const std::vector<std::uint8_t> inflated = Flat(tools::EncodeSeedColumns(EdgeTables()));
    const std::vector<std::uint8_t> stream = tools::DeflateSeedColumns({inflated});
    ASSERT_NO_THROW(Decode(stream, inflated.size()));

    for (std::size_t at = 0; at < stream.size(); ++at) {
        std::vector<std::uint8_t> changed = stream;
        changed[at] ^= 0xFF;
        EXPECT_THROW(Decode(changed, inflated.size()), EDecompressionError) << "byte " << at;
        const std::vector<std::uint8_t> cut(stream.begin(), stream.begin() + at);
        EXPECT_THROW(Decode(cut, inflated.size()), EDecompressionError) << "cut at " << at;
    }
    std::vector<std::uint8_t> longer = stream;
    longer.push_back(0);
    EXPECT_THROW(Decode(longer, inflated.size()), EDecompressionError);
    EXPECT_THROW(Decode(stream, inflated.size() - 1), EDecompressionError);
    EXPECT_THROW(Decode(stream, inflated.size() + 1), EDecompressionError);
}

// A stream sound as zlib data whose tables end early or run on.
TEST(SeedStream, TablesThatDoNotFillTheStreamExactlyAreRefused) {
    const std::vector<std::uint8_t> inflated = Flat(tools::EncodeSeedColumns(EdgeTables()));
    for (std::size_t size = 0; size < inflated.size(); ++size) {
        const std::vector<std::uint8_t> cut(inflated.begin(), inflated.begin() + size);
        try {
            Decode(tools::DeflateSeedColumns({cut}), size);
            ADD_FAILURE() << "tables cut at " << size << " were taken";
        } catch (const EDecompressionError& e) {
            EXPECT_STREQ(e.what(), "Decompression error: the seed lists end early") << size;
        }
    }
    std::vector<std::uint8_t> longer = inflated;
    longer.push_back(0);
    EXPECT_THROW(Decode(tools::DeflateSeedColumns({longer}), longer.size()), EDecompressionError);
    // A count that claims more rows than follow.
    std::vector<std::uint8_t> claims = inflated;
    claims[1] = 0xFF;
    EXPECT_THROW(Decode(tools::DeflateSeedColumns({claims}), claims.size()), EDecompressionError);
}

}  // namespace
}  // namespace torvane
