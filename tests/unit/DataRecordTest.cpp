#include <gtest/gtest.h>

#include "fakes/MemoryFile.h"
#include "lib/LIB_Random.h"
#include "payload/Data1Reader.h"
#include "payload/LIB_Data1_ReadWrite.h"

namespace torvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RecordWriter : public ::testing::Test {
protected:
    RecordWriter() {
        RandSeed = 0;
        for (int i = 0; i < 256; ++i) DataKey[i] = static_cast<std::uint8_t>(i);
    }
    // Runs `write` against a fresh buffered file and returns what reached the file.
    template <class F>
    Bytes Written(F write) {
        testing::MemoryFile file;
        BufferedWriter out(file);
        write(out);
        out.Flush();
        return file.bytes;
    }
    TLibData1_ReadWrite writer;
};

TEST_F(RecordWriter, EscapesTheValuesBelow32) {
    const std::pair<std::uint8_t, Bytes> cases[] = {{0, {0x1F, 0x54}},  {1, {0x1F, 0x55}},
                                                    {30, {0x1F, 0x72}}, {31, {0x1F, 0x73}},
                                                    {32, {0x20}},       {255, {0xFF}}};
    for (auto& [value, bytes] : cases)
        EXPECT_EQ(Written([&](auto& f) { writer.WriteByte(f, value); }), bytes) << int(value);
}

TEST_F(RecordWriter, TagsAddKeyByteSixteen) {
    DataKey[16] = 10;
    EXPECT_EQ(Written([&](auto& f) { writer.WriteTag(f, 0); }), (Bytes{0x1F, 0x54 + 10}));
    DataKey[16] = 200;
    EXPECT_EQ(Written([&](auto& f) { writer.WriteTag(f, 100); }),
              (Bytes{44}));  // 300 mod 256, not escaped
    EXPECT_EQ(Written([&](auto& f) { writer.WriteTagWord(f, 0x0102); }), (Bytes{201, 202}));
}

TEST_F(RecordWriter, EmptyTextStoresKeyIndexZeroLengthAndStillSwaps) {
    // The first draw below 254 from seed 0 is 0, so k = 1.
    const Bytes bytes = Written([&](auto& f) { writer.WriteText(f, ""); });
    EXPECT_EQ(bytes, (Bytes{0x1F, 0x55, 0x1F, 0x54, 0x1F, 0x54}));
    EXPECT_EQ(DataKey[0], 2);  // DataKey[k-1] and DataKey[k+1] exchanged
    EXPECT_EQ(DataKey[2], 0);
}

TEST_F(RecordWriter, TextBytesAreAddedToTheKeyFromIndexK) {
    RandSeed = 0;
    const Bytes bytes = Written([&](auto& f) { writer.WriteText(f, "AB"); });
    // k = 1: 'A' + DataKey[1] = 66, 'B' + DataKey[2] = 68.
    EXPECT_EQ(bytes, (Bytes{0x1F, 0x55, 0x1F, 0x56, 0x1F, 0x54, 66, 68}));
}

TEST_F(RecordWriter, A256ByteTextStoresLengthBytesZeroAndOne) {
    const Bytes bytes = Written([&](auto& f) { writer.WriteText(f, std::string(256, 'z')); });
    EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 6), (Bytes{0x1F, 0x54, 0x1F, 0x55}));
}

TEST_F(RecordWriter, KeyIndexWrapsAndK254SwapsNothing) {
    // Find a seed whose next draw below 254 is 253 (k = 254).
    std::uint32_t seed = 0;
    for (;; ++seed) {
        RandSeed = seed;
        if (Random(254) == 253) break;
    }
    RandSeed = seed;
    const DataKeyTable before = DataKey;
    const Bytes bytes = Written([&](auto& f) { writer.WriteText(f, "abc"); });
    EXPECT_EQ(DataKey, before);
    // Index runs 254, 255, 0: 'a' + 254, 'b' + 255, 'c' + 0, all mod 256.
    EXPECT_EQ(bytes, (Bytes{254, 0x1F, 0x57, 0x1F, 0x54, 95, 97, 99}));
}

TEST_F(RecordWriter, RefusesTextsLongerThan65535Bytes) {
    Bytes bytes;
    EXPECT_THROW(Written([&](auto& f) { writer.WriteText(f, std::string(65536, 'x')); }),
                 Exception);
    EXPECT_NO_THROW(bytes =
                        Written([&](auto& f) { writer.WriteText(f, std::string(65535, 'x')); }));
    Data1Reader reader(bytes);
    reader.SetKey([] {
        DataKeyTable k;
        for (int i = 0; i < 256; ++i) k[i] = static_cast<std::uint8_t>(i);
        return k;
    }());
    EXPECT_EQ(reader.ReadText().size(), 65535u);
}

TEST_F(RecordWriter, RefusesPlainTextsLongerThan65535BytesToo) {
    // Without the check, 65536 bytes would go out with the length 0 and the
    // reader would take the text for the records after it.
    Bytes bytes;
    EXPECT_THROW(Written([&](auto& f) { writer.WritePlainText(f, std::string(65536, 'x')); }),
                 Exception);
    EXPECT_NO_THROW(
        bytes = Written([&](auto& f) { writer.WritePlainText(f, std::string(65535, 'y')); }));
    ASSERT_EQ(bytes.size(), 65537u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(Data1Reader(bytes).ReadPlainText(), std::string(65535, 'y'));
}

TEST_F(RecordWriter, BooleansStayInTheirRanges) {
    for (int i = 0; i < 2000; ++i) {
        const bool value = i % 2 == 0;
        Bytes bytes = Written([&](auto& f) { writer.WriteBool(f, value); });
        ASSERT_EQ(bytes.size(), 1u);
        if (value)
            ASSERT_TRUE(bytes[0] >= 140 && bytes[0] <= 169) << int(bytes[0]);
        else
            ASSERT_TRUE(bytes[0] >= 100 && bytes[0] <= 129) << int(bytes[0]);
    }
}

TEST(RecordTexts, NumbersDatesAndGuids) {
    EXPECT_EQ(FloatText(0.0), "0");
    EXPECT_EQ(FloatText(-0.0), "0");
    EXPECT_EQ(FloatText(46025.0), "46025");
    EXPECT_EQ(FloatText(46001.25), "46001.25");
    EXPECT_EQ(FloatText(46001.123456789012345),
              "46001.123456789");  // 15 digits, trailing zero dropped
    platform::Guid guid{
        0x0123ABCD, 0x4567, 0x89EF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(GuidText(guid), "{0123ABCD-4567-89EF-0123-456789ABCDEF}");
}

TEST_F(RecordWriter, NumbersAreTextRecordsAndReadBack) {
    const Bytes bytes = Written([&](auto& f) {
        writer.WriteInt(f, 3);
        writer.WriteInt(f, -2147483647 - 1);
        writer.WriteUInt(f, 0);
        writer.WriteUInt(f, 4294967295u);
        writer.WriteFloat(f, 0.0);
        writer.WriteDateTime(f, 46364.5);
        writer.WriteIntOfFloat(f, 46264.99);
        writer.WriteIntOfFloat(f, -1.5);
        writer.WriteIntOfFloat(f, 4294967296.0 + 7);  // low 32 bits
    });
    Data1Reader reader(bytes);
    DataKeyTable identity;
    for (int i = 0; i < 256; ++i) identity[i] = static_cast<std::uint8_t>(i);
    reader.SetKey(identity);
    EXPECT_EQ(reader.ReadText(), "3");
    EXPECT_EQ(reader.ReadInt(), -2147483647 - 1);
    EXPECT_EQ(reader.ReadText(), "0");
    EXPECT_EQ(reader.ReadUInt(), 4294967295u);
    EXPECT_EQ(reader.ReadText(), "0");
    EXPECT_EQ(reader.ReadFloat(), 46364.5);
    EXPECT_EQ(reader.ReadInt(), 46264);
    EXPECT_EQ(reader.ReadInt(), -1);
    EXPECT_EQ(reader.ReadInt(), 7);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(NodeAddress, ParsesDottedTextLeniently) {
    struct Case {
        const char* text;
        int w, x, y, z;
    };
    const Case cases[] = {
        {"1.2.3.4", 1, 2, 3, 4},   {"1.2", 1, 0, 0, 2},
        {"", 0, 0, 0, 0},          {"300.1.1.1", 44, 1, 1, 1},
        {"abc.1.1.1", 0, 1, 1, 1}, {"-1.256.084.7", 255, 0, 84, 7},
        {"1.2.3.4.5", 1, 2, 3, 0}, {"99999999999.1.1.1", 0, 1, 1, 1},
        {" 1.2.3.4", 0, 2, 3, 4},
    };
    for (const Case& c : cases) {
        TNodeAddress a = StrToNodeAddress(c.text, 6346);
        EXPECT_EQ(a.port, 6346);
        EXPECT_EQ((std::vector<int>{a.w, a.x, a.y, a.z}), (std::vector<int>{c.w, c.x, c.y, c.z}))
            << c.text;
    }
}

TEST_F(RecordWriter, NodeAddressesGoZXPortWY) {
    DataKey[16] = 0;
    TNodeAddress a = StrToNodeAddress("10.20.30.40", 0x1234);
    EXPECT_EQ(
        Written([&](auto& f) { writer.WriteNodeAddress(f, a); }),
        (Bytes{40, 0x1F, 0x54 + 20, 0x1F, 0x54 + 0x12, 0x34, 0x1F, 0x54 + 10, 0x1F, 0x54 + 30}));
}

TEST(DataKeyDerivation, TakesEveryFifthFromTheTopThenEveryEven) {
    std::string seed(900, '\0');
    for (std::size_t i = 0; i < seed.size(); ++i) seed[i] = static_cast<char>(14 + i % 240);
    const DataKeyTable key = DeriveDataKey(seed);
    auto at = [&](std::size_t position) { return static_cast<std::uint8_t>(seed[position - 1]); };
    // Multiples of 5 from 900 down to 250: 131 bytes.
    EXPECT_EQ(key[0], at(900));
    EXPECT_EQ(key[1], at(895));
    EXPECT_EQ(key[130], at(250));
    // Then even positions from the start.
    EXPECT_EQ(key[131], at(2));
    EXPECT_EQ(key[255], at(250));

    // A short seed is padded with spaces to 300 before the walk.
    const DataKeyTable shortKey = DeriveDataKey("AB");
    EXPECT_EQ(shortKey[0], ' ');
    EXPECT_EQ(shortKey[11], 'B');  // 11 multiples of 5 (300..250), then position 2
}

TEST(DataKeyDerivation, MakeDataKeyDrawsASeedOfTheStatedForm) {
    RandSeed = 12345;
    for (int i = 0; i < 20; ++i) {
        const std::string seed = MakeDataKey();
        ASSERT_GE(seed.size(), 879u);
        ASSERT_LE(seed.size(), 977u);
        for (char c : seed)
            ASSERT_TRUE(static_cast<std::uint8_t>(c) >= 14 && static_cast<std::uint8_t>(c) <= 253);
        EXPECT_EQ(DataKey, DeriveDataKey(seed));
    }
}

TEST(DataKeyDerivation, SwapKeyBytesIgnoresIndexZero) {
    for (int i = 0; i < 256; ++i) DataKey[i] = static_cast<std::uint8_t>(i);
    SwapKeyBytes(0, 5);
    SwapKeyBytes(5, 0);
    EXPECT_EQ(DataKey[4], 4);
    SwapKeyBytes(1, 256 - 1);
    EXPECT_EQ(DataKey[0], 254);
    EXPECT_EQ(DataKey[254], 0);
}

TEST(Data1Reader, RejectsDamagedInput) {
    DataKeyTable identity{};
    auto reading = [&](Bytes bytes, auto read) {
        Data1Reader reader(std::move(bytes));
        reader.SetKey(identity);
        read(reader);
    };
    EXPECT_THROW(reading({}, [](auto& r) { r.ReadByte(); }), DataFormatError);
    EXPECT_THROW(reading({0x05}, [](auto& r) { r.ReadByte(); }), DataFormatError);
    EXPECT_THROW(reading({0x1F, 0x20}, [](auto& r) { r.ReadByte(); }), DataFormatError);
    EXPECT_THROW(reading({0x1F, 0x55, 0x1F, 0x57, 0x1F, 0x54}, [](auto& r) { r.ReadText(); }),
                 DataFormatError);
    EXPECT_THROW(reading({200}, [](auto& r) { r.ReadBool(); }), DataFormatError);
}

}  // namespace
}  // namespace torvane
