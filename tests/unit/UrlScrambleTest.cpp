#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>

#include "payload/LIB_qvURL.h"

namespace torvane {
namespace {

std::string Hex(const ByteString& bytes) {
    std::string out;
    char b[4];
    for (auto v : bytes) {
        std::snprintf(b, sizeof b, "%02X ", v);
        out += b;
    }
    return out;
}

TEST(UrlScramble, KnownExamples) {
    EXPECT_EQ(ScrambleUrl(""), ByteString{});
    EXPECT_EQ(UnscrambleUrl({}), "");
    EXPECT_EQ(ScrambleUrl(" "), ByteString{0x04});
    EXPECT_EQ(ScrambleUrl("Q"), (ByteString{0x7C, 0x10})) << Hex(ScrambleUrl("Q"));
    EXPECT_EQ(UnscrambleUrl({0x7C, 0x10}), "Q");
    // Byte 2 is on page 4: four zero groups and code 3, 30 bits in 4 bytes.
    EXPECT_EQ(ScrambleUrl(std::string(1, '\x02')), (ByteString{0x00, 0x00, 0x00, 0x0C}))
        << Hex(ScrambleUrl("\x02"));
    // a..x cost six bits, y and z twelve.
    EXPECT_EQ(ScrambleUrl("aaaa").size(), 3u);
    EXPECT_EQ(ScrambleUrl("yyyy").size(), 6u);
}

TEST(UrlScramble, PageAlphabetCoversEveryByteOnce) {
    std::set<std::pair<int, int>> seen;
    for (int v = 0; v < 256; ++v) {
        PageCode pc = PageCodeOf(static_cast<std::uint8_t>(v));
        EXPECT_GE(pc.code, 1) << v;
        EXPECT_LE(pc.code, 63) << v;
        EXPECT_TRUE(seen.insert({pc.page, pc.code}).second) << "byte " << v << " shares its code";
    }
    EXPECT_EQ(PageCodeOf('.').page, 0);
    EXPECT_EQ(PageCodeOf('.').code, 2);
    EXPECT_EQ(PageCodeOf('\\').code, 63);
    EXPECT_EQ(PageCodeOf('y').page, 1);
    EXPECT_EQ(PageCodeOf(255).page, 3);
    EXPECT_EQ(PageCodeOf(255).code, 35);
}

TEST(UrlScramble, TablesHaveTheRequiredForm) {
    EXPECT_EQ(std::strlen(UrlCodeChars), 63u);
    EXPECT_EQ(UrlCodeChars[62], ' ');
    EXPECT_NE(std::strchr(UrlCodeChars, 'Q'), nullptr);
    std::set<char> codes(UrlCodeChars, UrlCodeChars + 63);
    EXPECT_EQ(codes.size(), 63u);
    for (int k = 0; k < 62; ++k) {
        const std::string fragment = UrlDictionary[k];
        EXPECT_GE(fragment.size(), 3u) << fragment;
        EXPECT_LE(fragment.size(), 24u) << fragment;
        EXPECT_EQ(fragment.find('Q'), std::string::npos) << fragment;
        for (char c : fragment) EXPECT_TRUE(c > ' ' && c < 127) << fragment;
        if (k < 4) {
            EXPECT_GE(fragment.size(), 21u) << fragment;
        }
        // A fragment that began with the code of itself or of an earlier
        // fragment could match on a code the dictionary stage put in.
        for (int earlier = 0; earlier <= k; ++earlier)
            EXPECT_NE(fragment[0], UrlCodeChars[earlier])
                << fragment << " begins with the code of " << earlier;
        for (int later = k + 1; later < 62; ++later)
            EXPECT_EQ(std::string(UrlDictionary[later]).find(fragment), std::string::npos)
                << fragment << " inside " << UrlDictionary[later];
    }
}

TEST(UrlScramble, RoundTripsTheProgramsUrlsAndOddTexts) {
    const std::string texts[] = {
        "http://www.torvane.example/REMSET/",
        "http://mirror.torvane.example/REMSET/",
        "http://www.torvane.example/Install_Torvane.exe",
        "http://count.torvane.example/TEL/INSTALL/CNTINST",
        "https://report.torvane.example/error/report.php?",
        "torvane.rms",
        "QQ Quick QUEUE Q",
        "C:\\Program Files\\Torvane P2P\\",
        std::string("\x00\x01\x02\x03\x1f\x7f\x80\xff", 8),
    };
    for (const std::string& text : texts) EXPECT_EQ(UnscrambleUrl(ScrambleUrl(text)), text) << text;
    // The dictionary makes the program's URLs short.
    EXPECT_LT(ScrambleUrl("http://www.torvane.example/REMSET/").size(), 8u);
}

TEST(UrlScramble, ReplacesEveryOccurrenceOfAFragment) {
    // "download" is fragment 14 (code O): Q O / Q O, five six-bit groups.
    EXPECT_EQ(ScrambleUrl("download/download"), (ByteString{0x7D, 0xD0, 0xDF, 0x74}))
        << Hex(ScrambleUrl("download/download"));
    struct Case {
        std::string text;
        std::size_t bytes;  // two six-bit groups per fragment on page 0
    };
    const Case cases[] = {
        {"downloaddownloaddownload", 5},  // 3 codes, 36 bits
        {"http://www.torvane.example/REMSET/http://www.torvane.example/REMSET/", 6},
        {"torvane.rmstorvane.rms", 6},
        {"%20%20%20%20", 6},
        {"/TEL/TEL/TEL", 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrambleUrl(c.text).size(), c.bytes) << c.text;
        EXPECT_EQ(UnscrambleUrl(ScrambleUrl(c.text)), c.text) << c.text;
    }
}

TEST(UrlScramble, RoundTripsTextsMadeOfFragmentsCodesAndQs) {
    // Texts glued from fragments, parts of fragments, code characters, Qs and
    // blanks: the places where a replacement could run into an earlier one.
    std::mt19937 random(20261208);
    std::vector<std::string> pieces = {"Q", " ", "Q ", "QQ", "\\", std::string(1, '\0')};
    for (const char* fragment : UrlDictionary) {
        pieces.push_back(fragment);
        pieces.push_back(std::string(fragment).substr(1));
        pieces.push_back(std::string(fragment).substr(0, std::strlen(fragment) - 1));
    }
    for (int i = 0; i < 63; ++i) pieces.push_back(std::string(1, UrlCodeChars[i]));
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1), count(1, 12);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t n = count(random); n > 0; --n) text += pieces[pick(random)];
        ASSERT_EQ(UnscrambleUrl(ScrambleUrl(text)), text) << text;
    }
}

TEST(UrlScramble, RoundTripsEveryByteAfterEveryByte) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; b += 7) {
            std::string text{static_cast<char>(a), static_cast<char>(b), 'x'};
            ASSERT_EQ(UnscrambleUrl(ScrambleUrl(text)), text) << a << "," << b;
        }
    }
}

TEST(UrlScramble, MalformedInputNeverFails) {
    // A trailing Q, a Q before a non-code character, and groups on page 5.
    const ByteString trailingQ = {0x7C};  // Q followed by fill bits only
    EXPECT_EQ(UnscrambleUrl(trailingQ), "Q");
    // Five zero groups, code 1 on page 5 (nothing, back to page 0), then "a" (code 39).
    const ByteString pageFive = {0x00, 0x00, 0x00, 0x00, 0x19, 0xC0};
    EXPECT_EQ(UnscrambleUrl(pageFive), "a");
    // "Q" then "!" (page 1), which is no code character: both kept.
    const ByteString qBang = {0x7C, 0x05, 0x00};  // Q, zero group, code 20 ("!")
    EXPECT_EQ(UnscrambleUrl(qBang), "Q!");
}

}  // namespace
}  // namespace torvane
