#include "ui/Pictures.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>
#include <zlib.h>

#include "base/Exceptions.h"
#include "platform/Threads.h"
#include "ui/EmbeddedFiles.h"

namespace torvane::ui {

namespace {

// Larger pictures than this are refused before any memory is taken for them:
// the program's own are far smaller, so such a header can only be damage.
constexpr long long kMaxPixels = 16LL * 1024 * 1024;

// --- JPEG ---------------------------------------------------------------------

// libjpeg reports failures through a callback that must not return. A C++
// exception must not unwind through libjpeg's C frames (they carry no unwind
// information in every build), so the callback jumps back to DecodeJpegInto,
// which holds only plain data, and the failure is raised from there.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void FailJpeg(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (level -1) mean damaged data that libjpeg would paper over, such
// as a stream cut short: the embedded pictures have none, so they fail too.
void JpegMessage(j_common_ptr info, int level) {
    if (level < 0) FailJpeg(info);
}

// Decodes into `out` (already empty); on failure returns false with the
// reason in `errors.message`. Nothing here has a destructor, so the jump
// from FailJpeg skips nothing that needed one.
bool DecodeJpegInto(const std::uint8_t* data, std::size_t size, Bitmap& out, JpegErrors& errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = FailJpeg;
    errors.manager.emit_message = JpegMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 ||
        static_cast<long long>(info.output_width) * info.output_height > kMaxPixels) {
        std::snprintf(errors.message, sizeof errors.message,
                      "unsupported picture (%u x %u, %d components)", info.output_width,
                      info.output_height, info.output_components);
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    // The Bitmap lives outside this frame; a jump leaves it partly filled,
    // and the caller throws it away.
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.rgb[static_cast<std::size_t>(info.output_scanline) * out.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// --- BMP ----------------------------------------------------------------------

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

[[noreturn]] void BadBmp(const std::string& why) {
    throw Exception("Not a readable BMP picture: " + why);
}

// --- the catalogue ------------------------------------------------------------

enum class Format { Jpeg, Bmp };

struct Entry {
    const char* file;  // in assets/, embedded by cmake/Assets.cmake
    Format format;
    int width, height;
};

Entry EntryOf(PictureId id) {
    switch (id) {
        case PictureId::Welcome:
            return {"Welcome.jpg", Format::Jpeg, 513, 390};
        case PictureId::DisclaimerSmall:
            return {"DisclaimerSmall.bmp", Format::Bmp, 49, 57};
        case PictureId::InstallChoice:
            return {"InstallChoice.jpg", Format::Jpeg, 225, 193};
        case PictureId::Folder:
            return {"Folder.jpg", Format::Jpeg, 105, 105};
        case PictureId::Connection:
            return {"Connection.jpg", Format::Jpeg, 177, 281};
        case PictureId::ToolbarBanner:
            return {"ToolbarBanner.jpg", Format::Jpeg, 675, 56};
        case PictureId::ToolbarStrip:
            return {"ToolbarStrip.jpg", Format::Jpeg, 674, 24};
        case PictureId::ReadyToInstall:
            return {"ReadyToInstall.jpg", Format::Jpeg, 193, 164};
        case PictureId::Finished:
            return {"Finished.bmp", Format::Bmp, 209, 209};
        case PictureId::Error:
            return {"Error.jpg", Format::Jpeg, 121, 122};
        case PictureId::Search:
            return {"Search.jpg", Format::Jpeg, 160, 202};
        case PictureId::Upgraded:
            return {"Upgraded.jpg", Format::Jpeg, 383, 302};
    }
    throw Exception("Unknown picture " + std::to_string(static_cast<int>(id)));
}

constexpr std::size_t kPictureCount = static_cast<std::size_t>(PictureId::Upgraded) + 1;

}  // namespace

const EmbeddedFile* FindEmbeddedFile(const std::string& name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
        if (name == kEmbeddedFiles[i].name) return &kEmbeddedFiles[i];
    return nullptr;
}

std::vector<std::uint8_t> EmbeddedBytes(const EmbeddedFile& file) {
    if (file.inflatedSize == 0) return std::vector<std::uint8_t>(file.data, file.data + file.size);
    std::vector<std::uint8_t> bytes(file.inflatedSize);
    uLongf size = static_cast<uLongf>(bytes.size());
    if (uncompress(bytes.data(), &size, file.data, static_cast<uLong>(file.size)) != Z_OK ||
        size != bytes.size())
        throw Exception(std::string("The built-in file ") + file.name + " is damaged");
    return bytes;
}

std::shared_ptr<const Bitmap> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) throw Exception("Not a readable JPEG picture: no data");
    auto bitmap = std::make_shared<Bitmap>();
    JpegErrors errors;
    if (!DecodeJpegInto(data, size, *bitmap, errors))
        throw Exception(std::string("Not a readable JPEG picture: ") + errors.message);
    return bitmap;
}

std::shared_ptr<const Bitmap> DecodeBmp(const std::uint8_t* data, std::size_t size) {
    // BITMAPFILEHEADER (14 bytes) and at least a BITMAPINFOHEADER (40).
    if (!data || size < 54) BadBmp("too short");
    if (data[0] != 'B' || data[1] != 'M') BadBmp("no BM signature");
    const std::uint32_t pixelsAt = U32(data + 10);
    const std::uint32_t headerSize = U32(data + 14);
    if (headerSize < 40 || headerSize > size - 14)
        BadBmp("unknown header size " + std::to_string(headerSize));
    const std::int32_t width = static_cast<std::int32_t>(U32(data + 18));
    const std::int32_t rawHeight = static_cast<std::int32_t>(U32(data + 22));
    const std::uint32_t planes = U16(data + 26);
    const std::uint32_t bits = U16(data + 28);
    const std::uint32_t compression = U32(data + 30);
    std::uint32_t colorsUsed = U32(data + 46);
    // A negative height stores the rows top-down; the usual is bottom-up.
    const bool topDown = rawHeight < 0;
    const long long height = topDown ? -static_cast<long long>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        BadBmp("bad size " + std::to_string(width) + " x " + std::to_string(height));
    if (planes != 1) BadBmp("bad plane count");
    if (compression != 0) BadBmp("compressed pictures are not supported");
    if (bits != 24 && bits != 8 && bits != 4 && bits != 1)
        BadBmp(std::to_string(bits) + " bits per pixel");

    // The palette of the palettised kinds follows the header: B, G, R, 0.
    std::uint8_t palette[256][3] = {};
    std::uint32_t paletteSize = 0;
    if (bits <= 8) {
        const std::uint32_t most = 1u << bits;
        if (colorsUsed == 0) colorsUsed = most;
        if (colorsUsed > most) BadBmp("palette too large");
        const std::size_t paletteAt = 14 + static_cast<std::size_t>(headerSize);
        if (paletteAt + colorsUsed * 4ull > size) BadBmp("palette cut short");
        for (std::uint32_t i = 0; i < colorsUsed; ++i) {
            const std::uint8_t* entry = data + paletteAt + i * 4;
            palette[i][0] = entry[2];
            palette[i][1] = entry[1];
            palette[i][2] = entry[0];
        }
        paletteSize = colorsUsed;
    }

    // Rows are padded to four bytes.
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (pixelsAt > size || stride * static_cast<std::size_t>(height) > size - pixelsAt)
        BadBmp("pixels cut short");

    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = width;
    bitmap->height = static_cast<int>(height);
    bitmap->rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (long long y = 0; y < height; ++y) {
        const long long stored = topDown ? y : height - 1 - y;
        const std::uint8_t* row = data + pixelsAt + static_cast<std::size_t>(stored) * stride;
        std::uint8_t* target = &bitmap->rgb[static_cast<std::size_t>(y) * width * 3];
        for (std::int32_t x = 0; x < width; ++x, target += 3) {
            if (bits == 24) {
                target[0] = row[x * 3 + 2];
                target[1] = row[x * 3 + 1];
                target[2] = row[x * 3 + 0];
                continue;
            }
            // Palette indexes, the leftmost pixel in the highest bits.
            const std::uint32_t bitAt = static_cast<std::uint32_t>(x) * bits;
            const std::uint32_t shift = 8 - bits - bitAt % 8;
            const std::uint32_t index = (row[bitAt / 8] >> shift) & ((1u << bits) - 1);
            if (index >= paletteSize) BadBmp("colour index outside the palette");
            std::memcpy(target, palette[index], 3);
        }
    }
    return bitmap;
}

std::shared_ptr<const Bitmap> LoadPicture(PictureId id) {
    static platform::Mutex mutex;
    static std::shared_ptr<const Bitmap> loaded[kPictureCount];
    const Entry entry = EntryOf(id);
    std::lock_guard<platform::Mutex> lock(mutex);
    std::shared_ptr<const Bitmap>& slot = loaded[static_cast<std::size_t>(id)];
    if (slot) return slot;

    const EmbeddedFile* file = FindEmbeddedFile(entry.file);
    if (!file) throw Exception(std::string("The picture ") + entry.file + " is not built in");
    const std::vector<std::uint8_t> bytes = EmbeddedBytes(*file);
    std::shared_ptr<const Bitmap> picture = entry.format == Format::Jpeg
                                                ? DecodeJpeg(bytes.data(), bytes.size())
                                                : DecodeBmp(bytes.data(), bytes.size());
    // The panels are laid out around these sizes: another size is a build fault.
    if (picture->width != entry.width || picture->height != entry.height)
        throw Exception(std::string("The picture ") + entry.file + " is " +
                        std::to_string(picture->width) + " x " + std::to_string(picture->height) +
                        ", not " + std::to_string(entry.width) + " x " +
                        std::to_string(entry.height));
    slot = picture;
    return slot;
}

void ShowPicture(Image& image, PictureId id) {
    image.SetPictureLoader([id] { return LoadPicture(id); });
}

}  // namespace torvane::ui
