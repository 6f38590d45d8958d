// The handle wrapper, the DLL loading helpers, the clock and the font cache.
#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(Platform, UniqueHandleClosesOnceWhateverPathTheHandleTakes) {
    closed.clear();
    { Counted scoped(1); }
    EXPECT_TRUE(closed == std::vector<int>{1});

    closed.clear();
    Counted source(2);
    Counted target(std::move(source));
    EXPECT_TRUE(!source);
    EXPECT_EQ(target.Get(), 2);
    Counted assigned(3);
    assigned = std::move(target);  // 3 is given back, 2 moves over
    EXPECT_TRUE(closed == std::vector<int>{3});
    assigned.Reset(4);
    EXPECT_TRUE(closed == (std::vector<int>{3, 2}));
    EXPECT_EQ(assigned.Release(), 4);
    assigned.Reset();
    EXPECT_TRUE(closed == (std::vector<int>{3, 2}));
}

TEST(Platform, DllSearchIsRestrictedToSystem32) {
    const platform::win32::DllSearchHardening result = platform::win32::HardenDllSearch();
    // Wine 8 and every supported Windows have the call; the fallback is for
    // unpatched Vista and 7 only.
    EXPECT_TRUE(result.systemDirectoryOnly);
    EXPECT_TRUE(result.safeSearchMode);
}

TEST(Platform, SystemLibraryLoadsByFullSystemPath) {
    platform::win32::SystemLibrary kernel("kernel32.dll");
    const std::string expected = platform::win32::SystemDirectory() + "\\kernel32.dll";
    EXPECT_EQ(kernel.Path(), expected);
    EXPECT_TRUE(kernel.Handle() == ::GetModuleHandleA("kernel32.dll"));
    using GetTickCountFunction = DWORD WINAPI();
    EXPECT_TRUE(kernel.Find<GetTickCountFunction>("GetTickCount") != nullptr);
    EXPECT_TRUE(kernel.Find<GetTickCountFunction>("NoSuchExport") == nullptr);
    bool threw = false;
    try {
        kernel.Require<GetTickCountFunction>("NoSuchExport");
    } catch (const Exception& e) {
        threw = std::string(e.what()).find("NoSuchExport") != std::string::npos;
    }
    EXPECT_TRUE(threw);
}

TEST(Platform, SystemLibraryReportsAMissingDll) {
    std::string message;
    try {
        platform::win32::SystemLibrary missing("torvane_no_such_library.dll");
    } catch (const Exception& e) {
        message = e.what();
    }
    EXPECT_TRUE(message.find("torvane_no_such_library.dll") != std::string::npos);
    EXPECT_TRUE(message.find("error 126") != std::string::npos);  // ERROR_MOD_NOT_FOUND
}

TEST(Platform, SystemLibraryFreesTheDllItLoaded) {
    // A small DLL nothing else here loads, so only the wrapper holds it.
    ASSERT_TRUE(::GetModuleHandleA("msimg32.dll") == nullptr);
    {
        platform::win32::SystemLibrary library("msimg32.dll");
        EXPECT_TRUE(::GetModuleHandleA("msimg32.dll") == library.Handle());
    }
    EXPECT_TRUE(::GetModuleHandleA("msimg32.dll") == nullptr);
}

TEST(Platform, ClockCountsMilliseconds) {
    platform::win32::Win32Clock clock;
    const std::uint64_t before = clock.NowMs();
    clock.Sleep(50);
    const std::uint64_t after = clock.NowMs();
    // Units, not speed: seconds or microseconds would land far outside.
    EXPECT_TRUE(after >= before + 40);
    EXPECT_TRUE(after < before + 5000);
}

TEST(Platform, FontCacheKeepsOneFontPerDistinctFont) {
    ui::win32::FontCache fonts;
    ui::Font base;
    ui::Font recoloured = base;
    recoloured.color = ui::colors::Red;
    ui::Font bold = base;
    bold.bold = true;
    HFONT first = fonts.Get(base);
    EXPECT_TRUE(first == fonts.Get(recoloured));  // colour is not part of the font
    EXPECT_TRUE(first != fonts.Get(bold));
    EXPECT_EQ(fonts.Size(), std::size_t{2});
}

TEST(Platform, FontCacheHeightsAndFace) {
    ui::win32::FontCache fonts;
    // The test prefix has the bitmap "MS Sans Serif" (sserife.fon): its
    // dialog size, 11 pixels, is drawn with it.
    EXPECT_TRUE(fonts.Installed().bitmapHeights.count(11) == 1);
    ui::Font body;  // 8 points
    LOGFONTA lf{};
    ::GetObjectA(fonts.Get(body), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -::MulDiv(8, fonts.PixelsPerInchY(), 72));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(std::string(lf.lfFaceName), std::string("MS Sans Serif"));

    // 19 pixels: no bitmap of that height in Wine's sserife.fon, but the
    // face stays; GDI takes the nearest bitmap below, as Windows' does.
    ui::Font header;
    header.pixels = 19;
    ::GetObjectA(fonts.Get(header), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -19);
    EXPECT_EQ(std::string(lf.lfFaceName), std::string("MS Sans Serif"));
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, fonts.Get(header));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_EQ(std::string(face), std::string("MS Sans Serif"));
    EXPECT_TRUE(metrics.tmHeight - metrics.tmInternalLeading <= 19);
    EXPECT_TRUE(
        fonts.Installed().bitmapHeights.count(metrics.tmHeight - metrics.tmInternalLeading) == 1);
}

TEST(Platform, LayoutFaceIsTheBitmapFaceWhereverItIsInstalled) {
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
        EXPECT_EQ(ui::win32::FontCache::FaceFor(c.name, c.faces), std::string(c.face));
}
