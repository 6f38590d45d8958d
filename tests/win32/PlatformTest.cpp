// The handle wrapper, the DLL loading helpers, the clock and the font cache.
#include <stdexcept>

#include "Check.h"
#include "base/Exceptions.h"
#include "base/win32/UniqueHandle.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Clock.h"
#include "ui/win32/FontCache.h"

using namespace torvane;
using platform::win32::UniqueHandle;

namespace {
// Traits that count what was closed instead of closing anything.
std::vector<int> closed;
struct CountingTraits {
    using Handle = int;
    static Handle Empty() noexcept { return 0; }
    static bool Valid(Handle h) noexcept { return h != 0; }
    static void Close(Handle h) noexcept { closed.push_back(h); }
};
using Counted = UniqueHandle<CountingTraits>;
}  // namespace

TEST(UniqueHandleClosesOnceWhateverPathTheHandleTakes) {
    closed.clear();
    { Counted scoped(1); }
    CHECK(closed == std::vector<int>{1});

    closed.clear();
    Counted source(2);
    Counted target(std::move(source));
    CHECK(!source);
    CHECK_EQ(target.Get(), 2);
    Counted assigned(3);
    assigned = std::move(target);  // 3 is given back, 2 moves over
    CHECK(closed == std::vector<int>{3});
    assigned.Reset(4);
    CHECK(closed == (std::vector<int>{3, 2}));
    CHECK_EQ(assigned.Release(), 4);
    assigned.Reset();
    CHECK(closed == (std::vector<int>{3, 2}));
}

TEST(DllSearchIsRestrictedToSystem32) {
    const platform::win32::DllSearchHardening result = platform::win32::HardenDllSearch();
    // Wine 8 and every supported Windows have the call; the fallback is for
    // unpatched Vista and 7 only.
    CHECK(result.systemDirectoryOnly);
    CHECK(result.safeSearchMode);
}

TEST(SystemLibraryLoadsByFullSystemPath) {
    platform::win32::SystemLibrary kernel("kernel32.dll");
    const std::string expected = platform::win32::SystemDirectory() + "\\kernel32.dll";
    CHECK_EQ(kernel.Path(), expected);
    CHECK(kernel.Handle() == ::GetModuleHandleA("kernel32.dll"));
    using GetTickCountFunction = DWORD WINAPI();
    CHECK(kernel.Find<GetTickCountFunction>("GetTickCount") != nullptr);
    CHECK(kernel.Find<GetTickCountFunction>("NoSuchExport") == nullptr);
    bool threw = false;
    try {
        kernel.Require<GetTickCountFunction>("NoSuchExport");
    } catch (const Exception& e) {
        threw = std::string(e.what()).find("NoSuchExport") != std::string::npos;
    }
    CHECK(threw);
}

TEST(SystemLibraryReportsAMissingDll) {
    std::string message;
    try {
        platform::win32::SystemLibrary missing("torvane_no_such_library.dll");
    } catch (const Exception& e) {
        message = e.what();
    }
    CHECK(message.find("torvane_no_such_library.dll") != std::string::npos);
    CHECK(message.find("error 126") != std::string::npos);  // ERROR_MOD_NOT_FOUND
}

TEST(SystemLibraryFreesTheDllItLoaded) {
    // A small DLL nothing else here loads, so only the wrapper holds it.
    REQUIRE(::GetModuleHandleA("msimg32.dll") == nullptr);
    {
        platform::win32::SystemLibrary library("msimg32.dll");
        CHECK(::GetModuleHandleA("msimg32.dll") == library.Handle());
    }
    CHECK(::GetModuleHandleA("msimg32.dll") == nullptr);
}

TEST(ClockCountsMilliseconds) {
    platform::win32::Win32Clock clock;
    const std::uint64_t before = clock.NowMs();
    clock.Sleep(50);
    const std::uint64_t after = clock.NowMs();
    // Units, not speed: seconds or microseconds would land far outside.
    CHECK(after >= before + 40);
    CHECK(after < before + 5000);
}

TEST(FontCacheKeepsOneFontPerDistinctFont) {
    ui::win32::FontCache fonts;
    ui::Font base;
    ui::Font recoloured = base;
    recoloured.color = ui::colors::Red;
    ui::Font bold = base;
    bold.bold = true;
    HFONT first = fonts.Get(base);
    CHECK(first == fonts.Get(recoloured));  // colour is not part of the font
    CHECK(first != fonts.Get(bold));
    CHECK_EQ(fonts.Size(), std::size_t{2});
}

TEST(FontCacheHeightsAndFace) {
    ui::win32::FontCache fonts;
    // The test prefix has the bitmap "MS Sans Serif" (sserife.fon): its
    // dialog size, 11 pixels, is drawn with it.
    CHECK(fonts.Installed().bitmapHeights.count(11) == 1);
    ui::Font body;  // 8 points
    LOGFONTA lf{};
    ::GetObjectA(fonts.Get(body), sizeof lf, &lf);
    CHECK_EQ(lf.lfHeight, -::MulDiv(8, fonts.PixelsPerInchY(), 72));
    CHECK_EQ(lf.lfWeight, FW_NORMAL);
    CHECK_EQ(std::string(lf.lfFaceName), std::string("MS Sans Serif"));

    // 19 pixels: no bitmap of that height in Wine's sserife.fon, but the
    // face stays; GDI takes the nearest bitmap below, as Windows' does.
    ui::Font header;
    header.pixels = 19;
    ::GetObjectA(fonts.Get(header), sizeof lf, &lf);
    CHECK_EQ(lf.lfHeight, -19);
    CHECK_EQ(std::string(lf.lfFaceName), std::string("MS Sans Serif"));
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, fonts.Get(header));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    CHECK_EQ(std::string(face), std::string("MS Sans Serif"));
    CHECK(metrics.tmHeight - metrics.tmInternalLeading <= 19);
    CHECK(fonts.Installed().bitmapHeights.count(metrics.tmHeight - metrics.tmInternalLeading) == 1);
}

TEST(LayoutFaceIsTheBitmapFaceWhereverItIsInstalled) {
    using Faces = ui::win32::FontCache::InstalledFaces;
    const Faces windows{{11, 13, 16, 19, 24, 32}};
    const Faces wine{{11, 13, 16}};
    const Faces bare{};
    struct Case {
        const char* name;
        const Faces& faces;
        const char* face;
    };
    const Case cases[] = {
        {"MS Sans Serif", windows, "MS Sans Serif"},
        {"ms sans serif", wine, "MS Sans Serif"},
        {"", wine, "MS Sans Serif"},
        {"MS Sans Serif", bare, "Tahoma"},
        {"", bare, "Tahoma"},
        {"Arial", windows, "Arial"},
        {"Courier New", bare, "Courier New"},
    };
    for (const Case& c : cases)
        CHECK_EQ(ui::win32::FontCache::FaceFor(c.name, c.faces), std::string(c.face));
}
