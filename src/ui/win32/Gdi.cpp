#include "ui/win32/Gdi.h"

namespace torvane::ui::win32 {

void FillSolid(HDC dc, const RECT& rect, Color color) {
    UniqueBrush brush(::CreateSolidBrush(ToColorRef(color)));
    if (brush) ::FillRect(dc, &rect, brush.Get());
}

BackBuffer::BackBuffer(HDC target, int width, int height)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      dc_(::CreateCompatibleDC(target)) {
    bitmap_.Reset(::CreateCompatibleBitmap(target, width_, height_));
    if (dc_ && bitmap_) previous_ = ::SelectObject(dc_.Get(), bitmap_.Get());
}

BackBuffer::~BackBuffer() {
    // The bitmap must leave the DC before either is deleted.
    if (previous_) ::SelectObject(dc_.Get(), previous_);
}

void BackBuffer::CopyTo(HDC target) const {
    if (dc_ && bitmap_) ::BitBlt(target, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

std::string ToDrawTextLines(const std::string& caption) {
    std::string lines;
    lines.reserve(caption.size() + 8);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        lines += caption[i];
        if (caption[i] == '\r' && (i + 1 >= caption.size() || caption[i + 1] != '\n'))
            lines += '\n';
    }
    return lines;
}

}  // namespace torvane::ui::win32
