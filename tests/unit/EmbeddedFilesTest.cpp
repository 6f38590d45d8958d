// The built-in files: the bitmaps travel compressed, the JPEG pictures as
// they are, and each comes back whole.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "ui/EmbeddedFiles.h"
#include "ui/Pictures.h"

namespace torvane::ui {
namespace {

TEST(EmbeddedFiles, BitmapsAreStoredCompressedAndComeBackWhole) {
    for (const char* name : {"Finished.bmp", "DisclaimerSmall.bmp"}) {
        const EmbeddedFile* file = FindEmbeddedFile(name);
        ASSERT_NE(file, nullptr) << name;
        EXPECT_GT(file->inflatedSize, 0u) << name;
        EXPECT_LT(file->size * 4, file->inflatedSize * 3) << name;
        const std::vector<std::uint8_t> bytes = EmbeddedBytes(*file);
        ASSERT_EQ(bytes.size(), file->inflatedSize) << name;
        EXPECT_EQ(bytes[0], 'B') << name;
        EXPECT_EQ(bytes[1], 'M') << name;
        // The BMP header's own file size agrees with what came back.
        const std::uint32_t declared =
            bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<std::uint32_t>(bytes[5]) << 24;
        EXPECT_EQ(declared, bytes.size()) << name;
    }
    EXPECT_EQ(LoadPicture(PictureId::Finished)->width, 209);
    EXPECT_EQ(LoadPicture(PictureId::DisclaimerSmall)->height, 57);
}

TEST(EmbeddedFiles, JpegPicturesAreStoredAsTheyAre) {
    const EmbeddedFile* welcome = FindEmbeddedFile("Welcome.jpg");
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->inflatedSize, 0u);
    const std::vector<std::uint8_t> bytes = EmbeddedBytes(*welcome);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(welcome->data, welcome->data + welcome->size));
}

TEST(EmbeddedFiles, ADamagedOrMisSizedStreamRaises) {
    const std::string text(3000, 'x');
    std::vector<std::uint8_t> packed(compressBound(text.size()));
    uLongf size = packed.size();
    ASSERT_EQ(compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(text.data()),
                        text.size(), 9),
              Z_OK);
    packed.resize(size);

    const EmbeddedFile good{"x.bmp", packed.data(), packed.size(), text.size()};
    EXPECT_EQ(EmbeddedBytes(good).size(), text.size());

    const EmbeddedFile longer{"x.bmp", packed.data(), packed.size(), text.size() + 1};
    EXPECT_THROW(EmbeddedBytes(longer), Exception);
    const EmbeddedFile shorter{"x.bmp", packed.data(), packed.size(), text.size() - 1};
    EXPECT_THROW(EmbeddedBytes(shorter), Exception);
    std::vector<std::uint8_t> damaged = packed;
    damaged[damaged.size() / 2] ^= 0x55;
    const EmbeddedFile broken{"x.bmp", damaged.data(), damaged.size(), text.size()};
    EXPECT_THROW(EmbeddedBytes(broken), Exception);
    const EmbeddedFile cut{"x.bmp", packed.data(), packed.size() / 2, text.size()};
    EXPECT_THROW(EmbeddedBytes(cut), Exception);
}

}  // namespace
}  // namespace torvane::ui
