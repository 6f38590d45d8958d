#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "ui/Image.h"

namespace torvane::ui {

// The pictures the panels show. They are made by assets/make-art.sh (JPEG,
// and BMP for the two small bitmaps), embedded at build time and decoded
// when first asked for.
enum class PictureId {
    Welcome,          // 513 x 390, JPEG (welcome panel, stretched)
    DisclaimerSmall,  // 49 x 57, BMP (licence panel)
    InstallChoice,    // 225 x 193, JPEG (install or upgrade panel)
    Folder,           // 105 x 105, JPEG (installation and download folder panels)
    Connection,       // 177 x 281, JPEG (connection panel)
    ToolbarBanner,    // 675 x 56, JPEG (toolbar panel, Image2)
    ToolbarStrip,     // 674 x 24, JPEG (toolbar panel, Image1)
    ReadyToInstall,   // 193 x 164, JPEG (ready-to-install panel)
    Finished,         // 209 x 209, BMP drawn transparently (installation finished panel)
    Error,            // 121 x 122, JPEG (error panel)
    Search,           // 160 x 202, JPEG (search for installed versions)
    Upgraded,         // 383 x 302, JPEG (upgrade finished panel)
};

// The decoded picture; the same object on every call. Raises when the
// embedded data does not decode (a build fault).
std::shared_ptr<const Bitmap> LoadPicture(PictureId id);

// Gives `image` the picture, decoded only when the image is first drawn.
void ShowPicture(Image& image, PictureId id);

// Decoders, also for tests. They raise Exception on data that does not decode.
std::shared_ptr<const Bitmap> DecodeJpeg(const std::uint8_t* data, std::size_t size);
std::shared_ptr<const Bitmap> DecodeBmp(const std::uint8_t* data, std::size_t size);

}  // namespace torvane::ui
