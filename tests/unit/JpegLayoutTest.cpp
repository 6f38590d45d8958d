// The build refuses pictures the setup's baseline-only JPEG decoder could not
// show, and takes the pictures the setup carries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "embed/JpegLayout.h"

namespace torvane::tools {
namespace {

using Bytes = std::vector<unsigned char>;

void Append(Bytes& bytes, const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

// A segment: marker, two length bytes, body.
Bytes Segment(unsigned char marker, const Bytes& body) {
    const std::size_t length = body.size() + 2;
    Bytes s = {0xFF, marker, static_cast<unsigned char>(length >> 8),
               static_cast<unsigned char>(length & 0xFF)};
    Append(s, body);
    return s;
}

// A frame header of 8-bit precision, 16x16, with `components` components.
Bytes Frame(unsigned char marker, int components) {
    Bytes body = {8, 0, 16, 0, 16, static_cast<unsigned char>(components)};
    for (int c = 1; c <= components; ++c) Append(body, {static_cast<unsigned char>(c), 0x11, 0});
    return Segment(marker, body);
}

// A scan header over `components` components, then some entropy-coded bytes
// with a stuffed 0xFF and a restart marker in them.
Bytes Scan(int components) {
    Bytes body = {static_cast<unsigned char>(components)};
    for (int c = 1; c <= components; ++c) Append(body, {static_cast<unsigned char>(c), 0x00});
    Append(body, {0, 63, 0});
    Bytes s = Segment(0xDA, body);
    Append(s, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56});
    return s;
}

Bytes Jpeg(unsigned char frameMarker, int frameComponents, std::vector<int> scans) {
    Bytes bytes = {0xFF, 0xD8};
    Append(bytes, Segment(0xDB, Bytes(65, 1)));
    Append(bytes, Frame(frameMarker, frameComponents));
    Append(bytes, Segment(0xC4, Bytes(20, 0)));
    for (int components : scans) Append(bytes, Scan(components));
    Append(bytes, {0xFF, 0xD9});
    return bytes;
}

TEST(JpegLayout, TakesSequentialHuffmanPicturesInOneScan) {
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC0, 3, {3})), "");
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC1, 1, {1})), "");  // extended sequential, grey

    // Every picture the setup carries.
    const auto assets = std::filesystem::path(__FILE__).parent_path() / "../../assets";
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(assets)) {
        if (entry.path().extension() != ".jpg") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(WhyNotSequentialJpeg(bytes), "") << entry.path();
        ++pictures;
    }
    EXPECT_GE(pictures, 10);
}

TEST(JpegLayout, RefusesWhatTheBaselineDecoderCannotShow) {
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC2, 3, {3})), "progressive coding");
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC9, 3, {3})), "arithmetic coding");
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC3, 3, {3})), "lossless coding");
    // Non-interleaved: one scan per component.
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC0, 3, {1, 1, 1})),
              "more than one scan (progressive or non-interleaved)");
    EXPECT_EQ(WhyNotSequentialJpeg(Jpeg(0xC0, 3, {3, 3})),
              "more than one scan (progressive or non-interleaved)");
    Bytes withArithmeticTable = Jpeg(0xC0, 3, {3});
    const Bytes dac = Segment(0xCC, {0x00, 0x10});
    withArithmeticTable.insert(withArithmeticTable.begin() + 2, dac.begin(), dac.end());
    EXPECT_EQ(WhyNotSequentialJpeg(withArithmeticTable), "arithmetic coding");
}

TEST(JpegLayout, RefusesDamagedFilesWithoutReadingPastTheirEnd) {
    EXPECT_EQ(WhyNotSequentialJpeg({'B', 'M', 0, 0}), "not a JPEG file");
    const Bytes whole = Jpeg(0xC0, 3, {3});
    // Every truncation is refused (none reads past the end: the sanitizers
    // watch), and none is taken for a whole picture.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_NE(WhyNotSequentialJpeg(cut), "") << size;
    }
    Bytes scanFirst = {0xFF, 0xD8};
    Append(scanFirst, Scan(3));
    Append(scanFirst, {0xFF, 0xD9});
    EXPECT_EQ(WhyNotSequentialJpeg(scanFirst), "damaged: a scan before the frame header");
}

}  // namespace
}  // namespace torvane::tools
