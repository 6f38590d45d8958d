#include "ui/win32/FontCache.h"

#include <cstring>

namespace torvane::ui::win32 {

namespace {

constexpr const char* kLayoutFace = "MS Sans Serif";
constexpr const char* kStandIn = "Tahoma";

int CALLBACK CollectBitmapSize(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type,
                               LPARAM context) {
    auto* faces = reinterpret_cast<FontCache::InstalledFaces*>(context);
    if ((type & RASTER_FONTTYPE) && _stricmp(font->lfFaceName, kLayoutFace) == 0)
        faces->bitmapHeights.insert(metrics->tmHeight - metrics->tmInternalLeading);
    return 1;
}

FontCache::InstalledFaces FindInstalledFaces(HDC dc) {
    FontCache::InstalledFaces faces;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(wanted.lfFaceName, kLayoutFace, LF_FACESIZE - 1);
    ::EnumFontFamiliesExA(dc, &wanted, reinterpret_cast<FONTENUMPROCA>(CollectBitmapSize),
                          reinterpret_cast<LPARAM>(&faces), 0);
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

std::string FontCache::FaceFor(const std::string& name, const InstalledFaces& installed) {
    if (!name.empty() && _stricmp(name.c_str(), kLayoutFace) != 0) return name;
    return installed.bitmapHeights.empty() ? kStandIn : kLayoutFace;
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
    const std::string face = FaceFor(font.name, installed_);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);

    platform::win32::UniqueFont made(::CreateFontIndirectA(&lf));
    if (!made) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HFONT handle = made.Get();
    fonts_.emplace(key, std::move(made));
    return handle;
}

}  // namespace torvane::ui::win32
