#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "base/win32/UniqueHandle.h"
#include "ui/Image.h"
#include "ui/win32/ControlWindow.h"

namespace torvane::ui::win32 {

// A picture control: the Bitmap at its natural size from the top left corner,
// or stretched over the whole control, or the program icon. A transparent
// image leaves out the pixels of its bottom-left pixel's colour (the usual
// rule for transparent bitmaps), so what lies behind shows there.
class ImagePeer : public ControlWindow {
public:
    static constexpr const char* kClassName = "TorvaneImage";

    ImagePeer(PeerContext& context, Image& image);

    // Draws the picture with its top left corner at (left, top); with
    // `withBackground` the parent's background first. Siblings call it to show
    // the picture behind a transparent label.
    void PaintPicture(HDC dc, int left, int top, bool withBackground);
    void PaintBehind(HDC dc, int left, int top) override {
        PaintPicture(dc, left, top, /*withBackground=*/false);
    }

protected:
    void Apply(Property what) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    // Converts the picture to a bottom-up 24-bit DIB once per picture.
    void PrepareBits();

    Image& image_;
    std::shared_ptr<const Bitmap> prepared_;  // the picture `bits_` were made from
    std::vector<std::uint8_t> bits_;
    // The opaque picture as drawn: at the control's size when stretched.
    platform::win32::UniqueBitmap rendered_;
    int renderedWidth_ = 0;
    int renderedHeight_ = 0;
};

}  // namespace torvane::ui::win32
