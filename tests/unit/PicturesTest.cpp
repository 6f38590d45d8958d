#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "base/Exceptions.h"
#include "ui/EmbeddedFiles.h"
#include "ui/Pictures.h"

namespace torvane::ui {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgb3 {
    int r, g, b;
};
Rgb3 PixelAt(const Bitmap& bitmap, int x, int y) {
    const std::uint8_t* p = &bitmap.rgb[(static_cast<std::size_t>(y) * bitmap.width + x) * 3];
    return {p[0], p[1], p[2]};
}
bool operator==(Rgb3 a, Rgb3 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
bool Near(Rgb3 a, Rgb3 b) {
    return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8;
}

// --- the built-in pictures ------------------------------------------------------

TEST(LoadPicture, EveryPictureDecodesToTheSizeThePanelsAreLaidOutFor) {
    // The sizes Pictures.h promises, kept here on their own.
    const struct {
        PictureId id;
        int width, height;
    } expected[] = {
        {PictureId::Welcome, 513, 390},       {PictureId::DisclaimerSmall, 49, 57},
        {PictureId::InstallChoice, 225, 193}, {PictureId::Folder, 105, 105},
        {PictureId::Connection, 177, 281},    {PictureId::ToolbarBanner, 675, 56},
        {PictureId::ToolbarStrip, 674, 24},   {PictureId::ReadyToInstall, 193, 164},
        {PictureId::Finished, 209, 209},      {PictureId::Error, 121, 122},
        {PictureId::Search, 160, 202},        {PictureId::Upgraded, 383, 302},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(static_cast<int>(e.id));
        const std::shared_ptr<const Bitmap> picture = LoadPicture(e.id);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width, e.width);
        EXPECT_EQ(picture->height, e.height);
        ASSERT_EQ(picture->rgb.size(), static_cast<std::size_t>(e.width) * e.height * 3);
        // A picture, not a blank: many colours (JPEG gradients), or a handful (the flat BMP art).
        std::set<int> colours;
        for (int y = 0; y < e.height; y += 3)
            for (int x = 0; x < e.width; x += 3) {
                const Rgb3 p = PixelAt(*picture, x, y);
                colours.insert(p.r << 16 | p.g << 8 | p.b);
            }
        EXPECT_GE(colours.size(), 4u);
        EXPECT_EQ(LoadPicture(e.id), picture);  // decoded once
    }
}

TEST(LoadPicture, TheFinishedPictureHasAPlainKeyColourAroundItsDrawing) {
    // Drawn transparently: the bottom-left pixel's colour is left out, so
    // every corner must have exactly that colour and the middle must not.
    const std::shared_ptr<const Bitmap> finished = LoadPicture(PictureId::Finished);
    const Rgb3 key = PixelAt(*finished, 0, finished->height - 1);
    EXPECT_TRUE(PixelAt(*finished, 0, 0) == key);
    EXPECT_TRUE(PixelAt(*finished, finished->width - 1, 0) == key);
    EXPECT_TRUE(PixelAt(*finished, finished->width - 1, finished->height - 1) == key);
    EXPECT_FALSE(PixelAt(*finished, finished->width / 2, finished->height / 2) == key);
}

// --- JPEG -----------------------------------------------------------------------

// A JPEG made here with libjpeg: left half red, right half blue.
Bytes EncodeTwoColourJpeg(int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    Bytes row(width * 3);
    for (int x = 0; x < width; ++x) {
        row[x * 3 + 0] = x < width / 2 ? 255 : 0;
        row[x * 3 + 2] = x < width / 2 ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

TEST(DecodeJpeg, GivesRowsTopDownAsRedGreenBlue) {
    const Bytes jpeg = EncodeTwoColourJpeg(32, 16);
    const std::shared_ptr<const Bitmap> bitmap = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_EQ(bitmap->width, 32);
    ASSERT_EQ(bitmap->height, 16);
    EXPECT_TRUE(Near(PixelAt(*bitmap, 2, 2), {255, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(*bitmap, 29, 13), {0, 0, 255}));
}

TEST(DecodeJpeg, DamagedDataRaises) {
    const EmbeddedFile* welcome = FindEmbeddedFile("Welcome.jpg");
    ASSERT_NE(welcome, nullptr);
    const Bytes whole(welcome->data, welcome->data + welcome->size);
    ASSERT_NO_THROW(DecodeJpeg(whole.data(), whole.size()));

    // Cut short: libjpeg only warns and pads with grey; we refuse.
    EXPECT_THROW(DecodeJpeg(whole.data(), whole.size() / 2), Exception);
    Bytes noStart = whole;  // the start-of-image marker gone
    noStart[1] = 0x00;
    EXPECT_THROW(DecodeJpeg(noStart.data(), noStart.size()), Exception);
    Bytes scrambled = whole;  // noise over the compressed scan
    for (std::size_t i = whole.size() / 3; i < whole.size() / 3 + 64; ++i)
        scrambled[i] = static_cast<std::uint8_t>(i * 37);
    EXPECT_THROW(DecodeJpeg(scrambled.data(), scrambled.size()), Exception);
    EXPECT_THROW(DecodeJpeg(nullptr, 0), Exception);
}

// --- BMP ------------------------------------------------------------------------

// A BMP file: headers, `palette` (B, G, R, 0 each), then `pixels` as stored.
Bytes MakeBmp(int width, int height, int bits, const Bytes& palette, const Bytes& pixels,
              std::uint32_t compression = 0) {
    Bytes b(54);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(10, static_cast<std::uint32_t>(54 + palette.size()));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    put32(30, compression);
    put32(46, static_cast<std::uint32_t>(palette.size() / 4));
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    put32(2, static_cast<std::uint32_t>(b.size()));
    return b;
}

TEST(DecodeBmp, TrueColourRowsAreStoredBottomUpAndPaddedToFourBytes) {
    // 3 x 2: stored bottom row first, B G R, 9 bytes + 3 padding per row.
    const Bytes pixels = {
        0,  0,  255, 0,  255, 0,  255, 0,  0,  0xEE, 0xEE, 0xEE,  // bottom: red, green, blue
        10, 20, 30,  40, 50,  60, 70,  80, 90, 0xEE, 0xEE, 0xEE,
    };
    const std::shared_ptr<const Bitmap> bitmap =
        DecodeBmp(MakeBmp(3, 2, 24, {}, pixels).data(), 54 + pixels.size());
    ASSERT_EQ(bitmap->width, 3);
    ASSERT_EQ(bitmap->height, 2);
    EXPECT_EQ(bitmap->rgb,
              (Bytes{30, 20, 10, 60, 50, 40, 90, 80, 70, 255, 0, 0, 0, 255, 0, 0, 0, 255}));

    // The same rows stored top-down (negative height).
    const Bytes topDown = MakeBmp(3, -2, 24, {}, pixels);
    EXPECT_EQ(DecodeBmp(topDown.data(), topDown.size())->rgb,
              (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 30, 20, 10, 60, 50, 40, 90, 80, 70}));
}

TEST(DecodeBmp, PalettisedPixelsLookUpTheirColours) {
    const Bytes palette = {0,   0, 0,   0, 255, 255,
                           255, 0, 128, 0, 0,   0};  // black, white, navy (B G R 0)
    // 8 bits: 5 x 1, padded to 8 bytes.
    const Bytes eight = MakeBmp(5, 1, 8, palette, {2, 1, 0, 1, 2, 0, 0, 0});
    EXPECT_EQ(DecodeBmp(eight.data(), eight.size())->rgb,
              (Bytes{0, 0, 128, 255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 128}));
    // 4 bits: the left pixel in the high half of each byte.
    const Bytes four = MakeBmp(3, 1, 4, palette, {0x21, 0x00, 0, 0});
    EXPECT_EQ(DecodeBmp(four.data(), four.size())->rgb, (Bytes{0, 0, 128, 255, 255, 255, 0, 0, 0}));
}

TEST(DecodeBmp, DamagedOrUnsupportedFilesRaise) {
    const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
    const Bytes good = MakeBmp(2, 2, 8, palette, {0, 1, 0, 0, 1, 0, 0, 0});
    ASSERT_NO_THROW(DecodeBmp(good.data(), good.size()));
    EXPECT_THROW(DecodeBmp(good.data(), good.size() - 1), Exception);  // last row cut short
    Bytes signature = good;
    signature[0] = 'X';
    EXPECT_THROW(DecodeBmp(signature.data(), signature.size()), Exception);
    const Bytes outside =
        MakeBmp(2, 2, 8, palette, {0, 2, 0, 0, 1, 0, 0, 0});  // index 2 of 2 colours
    EXPECT_THROW(DecodeBmp(outside.data(), outside.size()), Exception);
    const Bytes rle = MakeBmp(2, 2, 8, palette, {0, 1, 0, 0, 1, 0, 0, 0}, 1);
    EXPECT_THROW(DecodeBmp(rle.data(), rle.size()), Exception);
    const Bytes deep = MakeBmp(1, 1, 32, {}, {1, 2, 3, 4});
    EXPECT_THROW(DecodeBmp(deep.data(), deep.size()), Exception);
    const Bytes huge = MakeBmp(100000, 100000, 24, {}, {});
    EXPECT_THROW(DecodeBmp(huge.data(), huge.size()), Exception);
}

}  // namespace
}  // namespace torvane::ui
