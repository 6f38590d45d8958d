#pragma once
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "base/win32/UniqueHandle.h"
#include "ui/Font.h"

namespace torvane::ui::win32 {

// One HFONT per distinct font (colour aside: that is the text colour, not part
// of the font), made on first use and kept until the cache goes. Peers borrow
// the handles, so the cache must outlive every peer (the factory owns it).
class FontCache {
public:
    FontCache();

    // The font for `font`; never nullptr (falls back to the system's GUI font).
    HFONT Get(const Font& font);

    // The LOGFONT height for a font: -pixels when a pixel height is given,
    // else -points converted at the screen's vertical resolution (negative:
    // the character height, without internal leading).
    int HeightOf(const Font& font) const;

    // What the system has of the layouts' face: the character heights of
    // the bitmap sizes of "MS Sans Serif" (none when it is not installed).
    struct InstalledFaces {
        std::set<int> bitmapHeights;
    };
    // The face asked for to draw `name`. The layouts were made for "MS Sans
    // Serif", a bitmap font, and are drawn with it, as Windows draws them:
    // at a height it has a bitmap for, that bitmap; at another, GDI's font
    // mapper keeps the face (a face-name mismatch weighs more than any size
    // difference) and takes the nearest bitmap below the height. Only a
    // system without the bitmap face gets Tahoma, the closest TrueType face
    // there. Other names are asked for as they are.
    static std::string FaceFor(const std::string& name, const InstalledFaces& installed);
    const InstalledFaces& Installed() const { return installed_; }

    int PixelsPerInchY() const { return pixelsPerInch_; }
    std::size_t Size() const { return fonts_.size(); }

private:
    using Key = std::tuple<std::string, int, int, bool, bool, bool>;
    std::map<Key, platform::win32::UniqueFont> fonts_;
    int pixelsPerInch_ = 96;
    InstalledFaces installed_;
};

}  // namespace torvane::ui::win32
