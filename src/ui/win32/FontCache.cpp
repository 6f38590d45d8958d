#include "ui/win32/FontCache.h"

#include <cstring>

namespace torvane::ui::win32 {

namespace {

constexpr const char* kLayoutFace = "MS Sans Serif";
constexpr const char* kScalableTwin = "Microsoft Sans Serif";
constexpr const char* kStandIn = "Tahoma";

struct Enumerated {
    FontCache::InstalledFaces* faces;
    bool bitmapFace;
};

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM context) {
    auto* found = reinterpret_cast<Enumerated*>(context);
    if (found->bitmapFace) {
        if ((type & RASTER_FONTTYPE) && _stricmp(font->lfFaceName, kLayoutFace) == 0)
            found->faces->bitmapHeights.insert(metrics->tmHeight - metrics->tmInternalLeading);
    } else if (_stricmp(font->lfFaceName, kScalableTwin) == 0) {
        found->faces->microsoftSansSerif = true;
    }
    return 1;
}

FontCache::InstalledFaces FindInstalledFaces(HDC dc) {
    FontCache::InstalledFaces faces;
    for (bool bitmapFace : {true, false}) {
        LOGFONTA wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        std::strncpy(wanted.lfFaceName, bitmapFace ? kLayoutFace : kScalableTwin, LF_FACESIZE - 1);
        Enumerated context{&faces, bitmapFace};
        ::EnumFontFamiliesExA(dc, &wanted, reinterpret_cast<FONTENUMPROCA>(CollectFace),
                              reinterpret_cast<LPARAM>(&context), 0);
    }
    return faces;
}

}  // namespace

FontCache::FontCache() {
    auto screen = platform::win32::GetWindowDc(nullptr);
    if (screen) {
        int dpi = ::GetDeviceCaps(screen.Get().dc, LOGPIXELSY);
        if (dpi > 0) pixelsPerInch_ = dpi;
        installed_ = FindInstalledFaces(screen.Get().dc);
    }
}

std::string FontCache::FaceFor(const std::string& name, int characterHeight, const InstalledFaces& installed) {
    if (!name.empty() && _stricmp(name.c_str(), kLayoutFace) != 0) return name;
    if (installed.bitmapHeights.count(characterHeight)) return kLayoutFace;
    return installed.microsoftSansSerif ? kScalableTwin : kStandIn;
}

int FontCache::HeightOf(const Font& font) const {
    if (font.pixels != 0) return -font.pixels;
    return -::MulDiv(font.points, pixelsPerInch_, 72);
}

HFONT FontCache::Get(const Font& font) {
    Key key{font.name, font.points, font.pixels, font.bold, font.underline, font.italic};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.Get();

    LOGFONTA lf{};
    lf.lfHeight = HeightOf(font);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::string face = FaceFor(font.name, -lf.lfHeight, installed_);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);

    platform::win32::UniqueFont made(::CreateFontIndirectA(&lf));
    if (!made) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HFONT handle = made.Get();
    fonts_.emplace(key, std::move(made));
    return handle;
}

}  // namespace torvane::ui::win32
