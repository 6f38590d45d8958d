#include "ui/win32/ImagePeer.h"

#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

ImagePeer::ImagePeer(PeerContext& context, Image& image)
    : ControlWindow(context, image), image_(image) {
    RegisterClassOnce(kClassName, 0);
    CreateChild(kClassName);
}

void ImagePeer::Apply(Property what) {
    if (what == Property::All || what == Property::Picture) PrepareBits();
}

void ImagePeer::PrepareBits() {
    const std::shared_ptr<const Bitmap>& picture = image_.Picture();
    if (picture == prepared_) return;
    prepared_ = picture;
    bits_.clear();
    rendered_.Reset();
    if (!picture || picture->width <= 0 || picture->height <= 0) return;
    const std::size_t width = static_cast<std::size_t>(picture->width);
    const std::size_t height = static_cast<std::size_t>(picture->height);
    if (picture->rgb.size() < width * height * 3) return;
    // DIB rows: bottom-up, B G R, each row padded to four bytes.
    const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
    bits_.assign(stride * height, 0);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* source = &picture->rgb[y * width * 3];
        std::uint8_t* target = &bits_[(height - 1 - y) * stride];
        for (std::size_t x = 0; x < width; ++x) {
            target[x * 3 + 0] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3 + 0];
        }
    }
}

void ImagePeer::Paint(HDC dc, const RECT&) { PaintPicture(dc, 0, 0, true); }

void ImagePeer::PaintPicture(HDC dc, int left, int top, bool withBackground) {
    const int width = image_.Width();
    const int height = image_.Height();
    if (withBackground) {
        RECT area{left, top, left + width, top + height};
        PaintParentBackground(dc, image_, area);
    }

    if (image_.ShowsProgramIcon()) {
        HICON icon = Context().ProgramIcon();
        if (!icon) return;
        const int size = image_.Stretch() ? 0 : ::GetSystemMetrics(SM_CXICON);
        ::DrawIconEx(dc, left, top, icon, image_.Stretch() ? width : size,
                     image_.Stretch() ? height : size, 0, nullptr, DI_NORMAL);
        return;
    }

    PrepareBits();
    if (bits_.empty()) return;
    const Bitmap& picture = *prepared_;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int drawWidth = image_.Stretch() ? width : picture.width;
    const int drawHeight = image_.Stretch() ? height : picture.height;

    if (!image_.Transparent()) {
        // Drawn once at its final size, then copied: a transparent label asks
        // for small pieces of the picture at negative offsets, and Wine draws
        // such clipped pieces of a stretched bottom-up DIB from the wrong rows.
        if (!rendered_ || renderedWidth_ != drawWidth || renderedHeight_ != drawHeight) {
            rendered_.Reset(::CreateCompatibleBitmap(dc, drawWidth, drawHeight));
            renderedWidth_ = drawWidth;
            renderedHeight_ = drawHeight;
            UniqueMemoryDc target(::CreateCompatibleDC(dc));
            if (!rendered_ || !target) {
                rendered_.Reset();
                return;
            }
            SelectedObject selected(target.Get(), rendered_.Get());
            const int oldMode = ::SetStretchBltMode(target.Get(), COLORONCOLOR);
            ::StretchDIBits(target.Get(), 0, 0, drawWidth, drawHeight, 0, 0, picture.width,
                            picture.height, bits_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
            ::SetStretchBltMode(target.Get(), oldMode);
        }
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        if (!source) return;
        SelectedObject selected(source.Get(), rendered_.Get());
        ::BitBlt(dc, left, top, drawWidth, drawHeight, source.Get(), 0, 0, SRCCOPY);
        return;
    }

    // Transparent: a monochrome mask of the key colour (1 where the key is),
    // then "AND mask, OR picture with the key blacked out", which leaves the
    // background wherever the key colour was.
    const std::size_t last = (picture.height - 1) * static_cast<std::size_t>(picture.width) * 3;
    const COLORREF key = RGB(picture.rgb[last], picture.rgb[last + 1], picture.rgb[last + 2]);
    UniqueMemoryDc colorDc(::CreateCompatibleDC(dc));
    UniqueMemoryDc maskDc(::CreateCompatibleDC(dc));
    UniqueBitmap color(::CreateCompatibleBitmap(dc, picture.width, picture.height));
    UniqueBitmap mask(::CreateBitmap(picture.width, picture.height, 1, 1, nullptr));
    if (!colorDc || !maskDc || !color || !mask) return;
    SelectedObject colorSelected(colorDc.Get(), color.Get());
    SelectedObject maskSelected(maskDc.Get(), mask.Get());
    ::SetDIBitsToDevice(colorDc.Get(), 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                        bits_.data(), &info, DIB_RGB_COLORS);
    ::SetBkColor(colorDc.Get(), key);
    ::BitBlt(maskDc.Get(), 0, 0, picture.width, picture.height, colorDc.Get(), 0, 0, SRCCOPY);
    // Key pixels of the colour copy to black: colour AND NOT mask.
    ::SetBkColor(colorDc.Get(), RGB(255, 255, 255));
    ::SetTextColor(colorDc.Get(), RGB(0, 0, 0));
    ::BitBlt(colorDc.Get(), 0, 0, picture.width, picture.height, maskDc.Get(), 0, 0,
             0x00220326 /* DSna */);

    const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, left, top, drawWidth, drawHeight, maskDc.Get(), 0, 0, picture.width,
                 picture.height, SRCAND);
    ::StretchBlt(dc, left, top, drawWidth, drawHeight, colorDc.Get(), 0, 0, picture.width,
                 picture.height, SRCPAINT);
    ::SetStretchBltMode(dc, oldMode);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBk);
}

}  // namespace torvane::ui::win32
