#pragma once
#include <string>

#include "base/win32/UniqueHandle.h"
#include "ui/Color.h"

namespace torvane::ui::win32 {

using platform::win32::UniqueBitmap;
using platform::win32::UniqueBrush;
using platform::win32::UniqueMemoryDc;
using platform::win32::UniquePen;

inline COLORREF ToColorRef(Color color) { return RGB(color.r, color.g, color.b); }

// Selects a GDI object into a device context for the scope's lifetime and
// puts the previous one back; the object itself stays owned by its owner.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Fills a rectangle (right and bottom exclusive) with a solid colour.
void FillSolid(HDC dc, const RECT& rect, Color color);

// An off-screen picture of a window's client area: paint into Dc(), then
// CopyTo() the window in one go, so the window never shows half a paint.
class BackBuffer {
public:
    BackBuffer(HDC target, int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    HDC Dc() const { return dc_.Get(); }
    void CopyTo(HDC target) const;

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// Captions use a lone carriage return (13) as the line break; DrawText is
// given CR LF so every Windows version breaks the line there.
std::string ToDrawTextLines(const std::string& caption);

}  // namespace torvane::ui::win32
