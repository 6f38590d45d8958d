#pragma once
#include <map>
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

    // The face actually asked for: "MS Sans Serif", a bitmap font that Wine
    // and high-resolution screens render poorly, is drawn with Tahoma, its
    // TrueType successor of the same metrics.
    static std::string FaceFor(const std::string& name);

    int PixelsPerInchY() const { return pixelsPerInch_; }
    std::size_t Size() const { return fonts_.size(); }

private:
    using Key = std::tuple<std::string, int, int, bool, bool, bool>;
    std::map<Key, platform::win32::UniqueFont> fonts_;
    int pixelsPerInch_ = 96;
};

}  // namespace torvane::ui::win32
