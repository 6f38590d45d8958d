#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/DateTime.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/Sha256.h"
#include "generated/BuildConfig.h"
#include "lib/LIB_Random.h"
#include "payload/SeedDataFile.h"

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

}  // namespace
}  // namespace torvane
