#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/DateTime.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/WizardFixture.h"
#include "generated/BuildConfig.h"
#include "payload/Data1Reader.h"
#include "payload/DataFileDecoder.h"
#include "payload/GB_TORVANE_DAT.h"
#include "payload/LIB_Data1_ReadWrite.h"
#include "payload/SeedDataFile.h"
#include "payload/SeedTables.h"

namespace torvane {
namespace {

class DataFile : public ::testing::Test {
protected:
    // Writes as the installing panel does: the folder handed back is the
    // download folder of the next file.
    void Write(const std::string& path) {
        inputs.downloadDir = WriteDataFile(path, inputs, services);
    }
    DataFileContents WriteAndDecode(const std::string& path = "C:\\x\\Torvane.Dat") {
        Write(path);
        return DecodeDataFile(files.Bytes(path));
    }
    DataFileInputs inputs{"C:\\users\\me\\AppData\\Local\\Torvane P2P\\", "D:\\Downloads\\", "01",
                          8};
    testing::MemoryFileSystem files;
    testing::CountingGuidSource guids;
    testing::FakeClock clock;
    std::vector<int> progress;
    DataFileServices services{files, guids, clock, [this](int p) { progress.push_back(p); }};
};

TEST_F(DataFile, HoldsTheHeaderTheListsAndTheSettingsInOrder) {
    clock.localNow = EncodeDateTime(2026, 12, 8, 15, 30, 0, 0);
    clock.now = 0;
    inputs.connectionType = 3;
    const DataFileContents c = WriteAndDecode();

    EXPECT_GE(c.keySeed.size(), 879u);
    EXPECT_LE(c.keySeed.size(), 977u);
    EXPECT_EQ(c.workDir, "C:\\users\\me\\AppData\\Local\\Torvane P2P\\");
    EXPECT_EQ(c.downloadDir, "D:\\Downloads\\");     // the header keeps the backslash...
    EXPECT_EQ(c.downloadFolder, "D:\\Downloads");    // ...the block does not
    EXPECT_EQ(inputs.downloadDir, "D:\\Downloads");  // and the folder handed back lost it
    EXPECT_EQ(c.sourceCode, "01");
    EXPECT_EQ(c.expiry, EncodeDateTime(2026, 12, 8, 0, 0, 0, 0) + 25);
    EXPECT_EQ(c.guid, "{00000001-0000-0000-C001-000000000001}");
    EXPECT_EQ(c.installerUrl, std::string(config::kWebServer) + "/Install_Torvane.exe");
    EXPECT_EQ(c.mirrorInstallerUrl, std::string(config::kMirrorServer) + "/Install_Torvane.exe");
    EXPECT_EQ(c.dayNumber, static_cast<int>(EncodeDateTime(2026, 12, 8, 0, 0, 0, 0)) - 100);
    EXPECT_EQ(c.connectionFigure, 80);

    ASSERT_EQ(c.nodesA.size(), 500u);
    ASSERT_EQ(c.nodesB.size(), 500u);
    ASSERT_EQ(c.settings.size(), 2118u);
    ASSERT_EQ(c.hashes.size(), 1168u);
    const SeedTables seeds = LoadSeedTables();
    EXPECT_EQ(c.nodesA[0].port, seeds.nodeListA[0].port);
    EXPECT_EQ(c.nodesA[0].w, seeds.nodeListA[0].w);
    EXPECT_EQ(c.nodesB[499].z, seeds.nodeListB[499].z);
    EXPECT_NEAR(c.nodeAStamps[0], clock.localNow - 1, 1e-9);

    EXPECT_EQ(c.remoteSettings,
              (std::vector<std::string>{std::string(config::kWebServer) + "/REMSET/",
                                        std::string(config::kWebServer) + "/REMSET/", "",
                                        "torvane.rms"}));
    EXPECT_EQ(c.settings[0], (std::pair<std::string, std::string>{"VerLatestVersion", "4.38"}));
    EXPECT_EQ(c.settings[4].second, std::string(config::kCounterServer) + "/TEL/INSTALL/CNTINST");
    EXPECT_EQ(c.settings[13], (std::pair<std::string, std::string>{"RemSetPath3", ""}));
    EXPECT_EQ(c.settings[15].first, "RemSetSuspendedTill");
    std::map<std::string, int> counts;
    for (auto& [name, value] : c.settings) ++counts[name];
    EXPECT_EQ(counts["QQNodeVesk"], 1770);
    EXPECT_EQ(counts["QNodeGnu"], 50);
    EXPECT_EQ(counts["QBlockedNode"], 250);
    EXPECT_EQ(c.settings.back().first, "QBlockedNode");
    EXPECT_EQ(c.hashes[0].first, seeds.hashList[0].hash);

    EXPECT_EQ(progress, (std::vector<int>{94, 95, 96, 98, 99}));
}

// Read record by record with the bare reader, not through the header table,
// so a slip in the table cannot hide behind a writer and decoder that share it.
TEST_F(DataFile, TheHeaderStandsRecordByRecordInFileOrder) {
    clock.localNow = EncodeDateTime(2026, 12, 8, 15, 30, 0, 0);
    inputs.connectionType = 0;
    Write("a.dat");
    Data1Reader r(files.Bytes("a.dat"));
    ASSERT_EQ(r.ReadByte(), 0);
    r.SetKey(DeriveDataKey(r.ReadPlainText()));
    EXPECT_EQ(r.ReadText(), inputs.workDir);
    EXPECT_EQ(r.ReadText(), "D:\\Downloads\\");
    EXPECT_EQ(r.ReadInt(), 3);
    EXPECT_EQ(r.ReadInt(), 3);
    EXPECT_EQ(r.ReadText(), "01");
    EXPECT_EQ(r.ReadInt(), 100);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.ReadText(), "");
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_EQ(r.ReadFloat(), EncodeDateTime(2026, 12, 8, 0, 0, 0, 0) + 25);
    EXPECT_TRUE(r.ReadBool());
    EXPECT_EQ(r.ReadText(), "{00000001-0000-0000-C001-000000000001}");
    EXPECT_FALSE(r.ReadBool());
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_FALSE(r.ReadBool());
    EXPECT_EQ(r.ReadInt(), 120);
    EXPECT_TRUE(r.ReadBool());
    EXPECT_EQ(r.ReadText(), std::string(config::kWebServer) + "/Install_Torvane.exe");
    EXPECT_EQ(r.ReadText(), std::string(config::kMirrorServer) + "/Install_Torvane.exe");
    EXPECT_EQ(r.ReadInt(), static_cast<int>(EncodeDateTime(2026, 12, 8, 0, 0, 0, 0)) - 100);
    EXPECT_EQ(r.ReadInt(), 6);
    EXPECT_EQ(r.ReadTag(), tags::DownloadFolder);
}

TEST_F(DataFile, AHeaderWithAWrongFixedRecordIsRefusedByTheRecordsNumber) {
    std::unique_ptr<platform::WritableFile> file = files.CreateFile("bad.dat");
    {
        BufferedWriter out(*file);
        TLibData1_ReadWrite writer;
        writer.WriteByte(out, 0);
        writer.WritePlainText(out, MakeDataKey());
        writer.WriteText(out, "C:\\w\\");
        writer.WriteText(out, "C:\\d\\");
        writer.WriteInt(out, 3);
        writer.WriteInt(out, 4);  // record 6 is always 3
        out.Flush();
    }
    file->Close();
    try {
        DecodeDataFile(files.Bytes("bad.dat"));
        FAIL() << "a changed fixed record was accepted";
    } catch (const DataFormatError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("header record 6 is 4, not 3 at byte ", 0), 0u)
            << e.what();
    }
}

TEST_F(DataFile, BeginsWithTheEscapedZeroAndTheSeedLength) {
    Write("a.dat");
    const auto& bytes = files.Bytes("a.dat");
    ASSERT_GE(bytes.size(), 5u);
    EXPECT_EQ(bytes[0], 0x1F);
    EXPECT_EQ(bytes[1], 0x54);
    // 879..977 bytes: the low byte (itself escaped when below 32), then 3 escaped.
    const std::size_t highAt = bytes[2] == 0x1F ? 4 : 3;
    EXPECT_EQ(bytes[highAt], 0x1F);
    EXPECT_EQ(bytes[highAt + 1], 0x57);
}

TEST_F(DataFile, ConnectionFigures) {
    const int expected[] = {6, 10, 45, 80, 90, 90, 90, 90, 77};
    for (int type = 0; type <= 8; ++type) EXPECT_EQ(ConnectionFigure(type), expected[type]) << type;
    EXPECT_EQ(ConnectionFigure(-1), 77);
    EXPECT_EQ(ConnectionFigure(9), 77);
    for (int type : {0, 8, 42}) {
        inputs.connectionType = type;
        EXPECT_EQ(WriteAndDecode().connectionFigure, ConnectionFigure(type));
    }
}

TEST_F(DataFile, TwoFilesOfOneInstallationDifferInKeyAndGuidAndADriveRootLosesItsBackslash) {
    inputs.downloadDir = "D:\\";
    const DataFileContents first = WriteAndDecode("C:\\u\\Torvane.Dat");
    const DataFileContents second = WriteAndDecode("C:\\p\\QVInst.Dat");
    EXPECT_EQ(first.downloadDir, "D:\\");
    EXPECT_EQ(first.downloadFolder, "D:");
    EXPECT_EQ(second.downloadDir, "D:");
    EXPECT_NE(first.guid, second.guid);
    EXPECT_NE(first.keySeed, second.keySeed);
    EXPECT_EQ(first.settings, second.settings);
}

TEST_F(DataFile, IsWrittenInBlocksNotBytes) {
    Write("a.dat");
    const auto& file = *files.files.at("a.dat");
    EXPECT_TRUE(file.closed);
    const std::size_t blocks =
        (file.bytes.size() + BufferedWriter::kBlock - 1) / BufferedWriter::kBlock;
    EXPECT_EQ(static_cast<std::size_t>(file.writes), blocks);
}

TEST_F(DataFile, AFullDiskRaisesTheIOErrorAndLeavesTheWrittenPart) {
    files.capacity = 10000;
    try {
        Write("a.dat");
        FAIL() << "a full disk was reported as success";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "I/O error 112");
    }
    EXPECT_EQ(files.Bytes("a.dat").size(), 10000u);
    EXPECT_EQ(DataWriter, nullptr);
}

// The documentation and benchmarking blocks, as first and last address.
bool InReservedBlock(std::uint32_t address) {
    constexpr std::pair<std::uint32_t, std::uint32_t> kBlocks[] = {
        {0xC0000200, 0xC00002FF},  // 192.0.2.0/24
        {0xC6336400, 0xC63364FF},  // 198.51.100.0/24
        {0xCB007100, 0xCB0071FF},  // 203.0.113.0/24
        {0xC6120000, 0xC613FFFF},  // 198.18.0.0/15
    };
    for (auto [first, last] : kBlocks)
        if (address >= first && address <= last) return true;
    return false;
}

std::uint32_t Address(int w, int x, int y, int z) {
    return std::uint32_t(w) << 24 | std::uint32_t(x) << 16 | std::uint32_t(y) << 8 |
           std::uint32_t(z);
}

// "ddd.ddd.ddd.ddd:port" as the address.
std::uint32_t AddressOfNodeText(const std::string& text) {
    EXPECT_EQ(text.find_first_not_of("0123456789.:"), std::string::npos) << text;
    return Address(std::stoi(text.substr(0, 3)), std::stoi(text.substr(4, 3)),
                   std::stoi(text.substr(8, 3)), std::stoi(text.substr(12, 3)));
}

TEST_F(DataFile, NamesNoHostOutsideTheReservedBlocks) {
    const DataFileContents c = WriteAndDecode();
    int checked = 0;
    for (const auto* list : {&c.nodesA, &c.nodesB})
        for (const TNodeAddress& n : *list) {
            EXPECT_TRUE(InReservedBlock(Address(n.w, n.x, n.y, n.z)))
                << int(n.w) << "." << int(n.x) << "." << int(n.y) << "." << int(n.z);
            ++checked;
        }
    const std::set<std::string> nodeSettings = {"QQNodeVesk", "QNodeIP", "QNodeGnu",
                                                "QQNodeCurVesk", "QNodeVesk"};
    int wholeBlocks = 0;
    for (const auto& [name, value] : c.settings) {
        if (nodeSettings.count(name)) {
            EXPECT_TRUE(InReservedBlock(AddressOfNodeText(value))) << name << " " << value;
            ++checked;
        } else if (name == "QBlockedNode") {
            ASSERT_EQ(value.size(), 21u) << value;
            // A whole first-octet block is a range, not a host: it may stay.
            if (value.substr(0, 18) == "000000000255255255") {
                ++wholeBlocks;
                continue;
            }
            auto octet = [&](int group) { return std::stoi(value.substr(group * 3, 3)); };
            const std::uint32_t start = Address(octet(6), octet(0), octet(1), octet(2));
            const std::uint32_t end = Address(octet(6), octet(3), octet(4), octet(5));
            EXPECT_LE(start, end) << value;
            // Both ends in a block and nothing between them outside it: the
            // blocks are far apart, so the ends must share theirs.
            EXPECT_TRUE(InReservedBlock(start) && InReservedBlock(end) &&
                        (start >> 17) == (end >> 17))
                << value;
            ++checked;
        }
    }
    EXPECT_EQ(wholeBlocks, 36);
    EXPECT_EQ(checked, 500 + 500 + 1770 + 1 + 50 + 6 + 25 + 214);
}

TEST(SeedLists, HaveTheirCountsPortsAndRepeats) {
    const SeedTables seeds = LoadSeedTables();
    ASSERT_EQ(seeds.nodeListA.size(), 500u);
    ASSERT_EQ(seeds.nodeListB.size(), 500u);
    EXPECT_EQ(seeds.qqNodeVesk.size(), 1770u);
    EXPECT_EQ(seeds.qNodeIP.size(), 1u);
    EXPECT_EQ(seeds.qNodeGnu.size(), 50u);
    EXPECT_EQ(seeds.qqNodeCurVesk.size(), 6u);
    EXPECT_EQ(seeds.qNodeVesk.size(), 25u);
    EXPECT_EQ(seeds.qBlockedNode.size(), 250u);
    EXPECT_EQ(seeds.hashList.size(), 1168u);
    std::map<int, int> portsA, portsB;
    for (const SeedNode& n : seeds.nodeListA) ++portsA[n.port];
    for (const SeedNode& n : seeds.nodeListB) ++portsB[n.port];
    EXPECT_EQ(portsA[6348], 40);
    EXPECT_EQ(portsA[6346], 23);
    EXPECT_EQ(portsA[6349], 2);
    EXPECT_EQ(portsA.size(), 3u + 435u);
    for (auto [port, count] : portsA) {
        EXPECT_GE(port, 2155);
        EXPECT_LE(port, 51753);
    }
    EXPECT_EQ(portsB,
              (std::map<int, int>{{6346, 496}, {4662, 1}, {6097, 1}, {6350, 1}, {64050, 1}}));

    std::map<std::string, int> vesk;
    std::map<int, int> veskPorts;
    for (const std::string& s : seeds.qqNodeVesk) {
        ++vesk[s];
        ASSERT_EQ(s[3], '.');
        ASSERT_EQ(s[15], ':');
        ++veskPorts[std::stoi(s.substr(16))];
    }
    int repeatedValues = 0, repeatRows = 0;
    for (auto& [text, count] : vesk)
        if (count > 1) ++repeatedValues, repeatRows += count - 1;
    EXPECT_EQ(repeatedValues, 257);
    EXPECT_EQ(repeatRows, 308);
    EXPECT_EQ(veskPorts[6346], 1761);
    EXPECT_EQ(veskPorts[1024], 2);
    EXPECT_EQ(veskPorts.size(), 9u);

    std::map<int, int> gnuPorts;
    for (const std::string& text : seeds.qNodeGnu) ++gnuPorts[std::stoi(text.substr(16))];
    EXPECT_EQ(gnuPorts.size(), 46u);
    EXPECT_EQ(gnuPorts[6348], 4);
    EXPECT_EQ(gnuPorts[6346], 2);

    int wholeBlocks = 0;
    std::set<int> blocks;
    for (const std::string& r : seeds.qBlockedNode) {
        ASSERT_EQ(r.size(), 21u);
        ASSERT_LE(r.substr(0, 9), r.substr(9, 9)) << r;  // start never exceeds end
        if (r.substr(0, 18) == "000000000255255255")
            ++wholeBlocks, blocks.insert(std::stoi(r.substr(18)));
    }
    EXPECT_EQ(wholeBlocks, 36);
    for (int b : {0, 10, 127, 224, 240, 255}) EXPECT_TRUE(blocks.count(b)) << b;

    std::set<std::string> hashes;
    std::uint32_t smallest = UINT32_MAX, largest = 0;
    for (const SeedHash& h : seeds.hashList) {
        const std::string& s = h.hash;
        ASSERT_EQ(s.size(), 32u);
        ASSERT_EQ(s.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567"), std::string::npos);
        hashes.insert(s);
        smallest = std::min(smallest, h.size);
        largest = std::max(largest, h.size);
    }
    EXPECT_EQ(hashes.size(), 1167u);  // one hash stands twice
    EXPECT_EQ(smallest, 22u);
    EXPECT_EQ(largest, 918393628u);
}

TEST(DateTimes, CountDaysFrom30December1899) {
    EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeDateTime(1900, 1, 1, 0, 0, 0, 0), 2.0);
    EXPECT_EQ(EncodeDateTime(2026, 12, 8, 0, 0, 0, 0), 46364.0);
    EXPECT_EQ(EncodeDateTime(2026, 12, 8, 18, 0, 0, 0), 46364.75);
    EXPECT_EQ(EncodeDateTime(2000, 3, 1, 0, 0, 0, 0) - EncodeDateTime(2000, 2, 28, 0, 0, 0, 0),
              2.0);
}

}  // namespace
}  // namespace torvane
