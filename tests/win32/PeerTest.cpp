// The peers under a real window tree: placement, styles, painting, mouse,
// timers, and failures that must stay inside the window procedure.
#include <cstdlib>
#include <memory>

#include "Check.h"
#include "Fixture.h"
#include "base/Exceptions.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/LbSpeedButton.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Timer.h"
#include "ui/win32/ControlWindow.h"
#include "ui/win32/TimerPeer.h"

using namespace torvane;
using namespace torvane::win32test;
using ui::win32::ControlWindow;

namespace {
// A small form realized with the Win32 factory; controls are added by the test
// before Realize() or realized by it afterwards.
struct Window : Fixture {
    Window() : form(app, "TestForm") {
        form.SetBounds(0, 0, 300, 200);
        form.SetCaption("Peer test");
        form.SetColor(ui::colors::Blue);
        form.SetPeerFactory(&factory);
    }
    HWND FormWindow() const { return ControlWindow::WindowOf(&form); }
    ui::Form form;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

TEST(FormHasAFixedCentredDialogFrameWithoutBorderIcons) {
    Window w;
    w.form.Realize();
    HWND hwnd = w.FormWindow();
    REQUIRE(hwnd != nullptr);
    RECT client;
    ::GetClientRect(hwnd, &client);
    CHECK_EQ(client.right, 300L);
    CHECK_EQ(client.bottom, 200L);
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION);
    CHECK(!(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)));
    char text[64] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    CHECK_EQ(std::string(text), std::string("Peer test"));
    CHECK(w.host.MainWindow() == hwnd);
    CHECK(!::IsWindowVisible(hwnd));  // forms start hidden

    w.form.Show();  // centred on the work area
    CHECK(::IsWindowVisible(hwnd));
    RECT work, frame;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hwnd, &frame);
    CHECK(std::abs((frame.left - work.left) - (work.right - frame.right)) <= 1);
    CHECK(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)) <= 1);
}

TEST(FormAlphaBlendIsALayeredWindowUntilSwitchedOff) {
    Window w;
    w.form.Realize();
    HWND hwnd = w.FormWindow();
    w.form.SetAlphaBlend(true);
    w.form.SetAlphaBlendValue(48);
    CHECK(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    CHECK(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    CHECK_EQ(int(alpha), 48);
    CHECK(flags & LWA_ALPHA);
    w.form.SetAlphaBlendValue(300);  // clamped, never wraps
    ::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags);
    CHECK_EQ(int(alpha), 255);
    w.form.SetAlphaBlend(false);
    CHECK(!(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED));
}

TEST(ChildWindowsFollowBoundsVisibilityAndCaption) {
    Window w;
    ui::Panel panel(&w.form, "Panel");
    panel.SetBounds(10, 20, 100, 50);
    panel.SetCaption("Head");
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&panel);
    REQUIRE(hwnd != nullptr);
    CHECK(::GetParent(hwnd) == w.FormWindow());
    RECT r = RectInParent(hwnd);
    CHECK_EQ(r.left, 10L);
    CHECK_EQ(r.top, 20L);
    CHECK_EQ(r.right - r.left, 100L);
    CHECK_EQ(r.bottom - r.top, 50L);
    panel.SetLeft(80);
    CHECK_EQ(RectInParent(hwnd).left, 80L);
    CHECK(::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
    panel.SetVisible(false);
    CHECK(!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE));
    panel.SetCaption("Other");
    char text[32] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    CHECK_EQ(std::string(text), std::string("Other"));
    panel.SetEnabled(false);
    CHECK(!::IsWindowEnabled(hwnd));
}

TEST(ControlsCreatedUnderAShownParentGetWindowsToo) {
    Window w;
    ui::PageControl pages(&w.form, "Pages");
    pages.SetBounds(0, 0, 200, 100);
    w.form.Realize();
    ui::Page& first = pages.AddPage("First");  // realizes itself
    ui::Page& second = pages.AddPage("Second");
    REQUIRE(ControlWindow::WindowOf(&first) && ControlWindow::WindowOf(&second));
    CHECK(::IsWindowVisible(ControlWindow::WindowOf(&first)) == FALSE);  // form hidden
    CHECK(::GetWindowLongA(ControlWindow::WindowOf(&first), GWL_STYLE) & WS_VISIBLE);
    pages.SetActivePage(&second);
    CHECK(!(::GetWindowLongA(ControlWindow::WindowOf(&first), GWL_STYLE) & WS_VISIBLE));
    CHECK(::GetWindowLongA(ControlWindow::WindowOf(&second), GWL_STYLE) & WS_VISIBLE);
}

TEST(ImagesStackBelowOtherControlsWhateverTheirOrder) {
    Window w;
    ui::Image first(&w.form, "First");
    ui::Panel panel(&w.form, "Panel");
    ui::Image second(&w.form, "Second");
    ui::Label label(&w.form, "Label");
    w.form.Realize();
    std::vector<HWND> order;  // top to bottom
    for (HWND c = ::GetWindow(w.FormWindow(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        order.push_back(c);
    const std::vector<HWND> expected{
        ControlWindow::WindowOf(&panel), ControlWindow::WindowOf(&label),
        ControlWindow::WindowOf(&second), ControlWindow::WindowOf(&first)};
    CHECK(order == expected);
}

TEST(PanelPaintsItsColourAndRaisedBevel) {
    Window w;
    ui::Panel panel(&w.form, "Panel");
    panel.SetBounds(0, 0, 60, 40);
    panel.SetColor(ui::colors::Navy);
    w.form.Realize();
    Snapshot shot(ControlWindow::WindowOf(&panel));
    CHECK_EQ(shot.At(30, 20), Ref(ui::colors::Navy));
    CHECK_EQ(shot.At(0, 0), ::GetSysColor(COLOR_3DHILIGHT));
    CHECK_EQ(shot.At(59, 39), ::GetSysColor(COLOR_3DSHADOW));
    panel.SetBevel(ui::Bevel::None);
    Snapshot flat(ControlWindow::WindowOf(&panel));
    CHECK_EQ(flat.At(0, 0), Ref(ui::colors::Navy));
}

TEST(SpeedButtonPaintsItsComputedFace) {
    Window w;
    ui::Panel bar(&w.form, "Bar");
    bar.SetBounds(0, 0, 200, 32);
    bar.SetBevel(ui::Bevel::None);
    bar.SetColor(ui::colors::Cream);
    ui::TLbSpeedButton button(&bar, "Button");
    button.SetBounds(5, 4, 90, 23);
    button.SetColor(ui::colors::Navy);
    button.SetLightColor(ui::colors::Blue);
    button.SetShadowColor(ui::colors::Lime);
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&button);
    auto checkFace = [&] {
        const ui::ButtonFace face = ui::ComputeButtonFace(button);
        Snapshot shot(hwnd);
        CHECK_EQ(shot.At(0, 0), Ref(ui::colors::Cream));  // corner outside the rounded outline
        CHECK_EQ(shot.At(45, 0), Ref(face.outline));      // top edge of the outline
        CHECK_EQ(shot.At(45, 22), Ref(face.outline));     // bottom edge
        CHECK_EQ(shot.At(1, 11), Ref(face.innerFrame));   // inner frame, left side
        // Column x = 2, away from the caption, between the inner frame's top
        // and bottom rows: the colour of the last band painted over each row.
        for (int y = 2; y < 21; ++y) {
            const ui::GradientBand* last = nullptr;
            for (const ui::GradientBand& band : face.bands)
                if (y >= band.top && y < band.top + band.height) last = &band;
            REQUIRE(last != nullptr);
            CHECK_EQ(shot.At(2, y), Ref(last->color));
        }
    };
    checkFace();
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    CHECK(button.Pressed());
    checkFace();
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
}

TEST(SpeedButtonClicksOnEachReleaseOverIt) {
    Window w;
    ui::TLbSpeedButton button(&w.form, "Button");
    button.SetBounds(0, 0, 90, 23);
    int clicks = 0;
    button.OnClick = [&](ui::Control&) { ++clicks; };
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&button);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    CHECK_EQ(clicks, 1);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(300, 10));  // released elsewhere
    CHECK_EQ(clicks, 1);
    CHECK(!button.Pressed());
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));  // a release without a press
    CHECK_EQ(clicks, 1);
    // A double click is two clicks: without CS_DBLCLKS the second press never
    // turns into WM_LBUTTONDBLCLK.
    CHECK(!(::GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS));
    for (int i = 0; i < 2; ++i) {
        ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    }
    CHECK_EQ(clicks, 3);
}

TEST(AFailingClickHandlerReachesTheFailureHandlerNotWindows) {
    Window w;
    ui::TLbSpeedButton button(&w.form, "Button");
    button.SetBounds(0, 0, 90, 23);
    button.OnClick = [](ui::Control&) { throw Exception("click failed"); };
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&button);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    CHECK(w.failures == std::vector<std::string>{"click failed"});
    CHECK(!button.Pressed());
    // A silent abort is dropped.
    button.OnClick = [](ui::Control&) { throw EAbort(); };
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    CHECK_EQ(w.failures.size(), std::size_t{1});
}

TEST(AutoSizedLabelTakesTheSizeOfItsLines) {
    Window w;
    ui::Label one(&w.form, "One");
    one.SetBounds(5, 5, 400, 100);
    one.SetCaption("Width");
    ui::Label two(&w.form, "Two");
    two.SetBounds(5, 50, 400, 100);
    two.SetCaption("Width\rWidth");
    ui::Label fixed(&w.form, "Fixed");
    fixed.SetAutoSize(false);
    fixed.SetBounds(5, 100, 40, 30);
    fixed.SetCaption("A rather long caption");
    w.form.Realize();
    RECT r1 = RectInParent(ControlWindow::WindowOf(&one));
    RECT r2 = RectInParent(ControlWindow::WindowOf(&two));
    RECT r3 = RectInParent(ControlWindow::WindowOf(&fixed));
    CHECK(r1.right - r1.left > 10 && r1.right - r1.left < 400);
    CHECK_EQ(r2.right - r2.left, r1.right - r1.left);
    CHECK_EQ(r2.bottom - r2.top, 2 * (r1.bottom - r1.top));
    CHECK_EQ(r3.right - r3.left, 40L);
    CHECK_EQ(r3.bottom - r3.top, 30L);
    CHECK_EQ(one.Width(), 400);  // the control keeps the layout's bounds
}

TEST(TransparentLabelShowsThePictureBehindIt) {
    Window w;
    w.form.SetColor(ui::colors::Yellow);
    auto picture = std::make_shared<ui::Bitmap>();
    picture->width = 4;
    picture->height = 4;
    picture->rgb.assign(4 * 4 * 3, 0);
    for (int i = 0; i < 16; ++i) picture->rgb[i * 3] = 200;  // red 200
    ui::Image image(&w.form, "Image");
    image.SetBounds(0, 0, 40, 40);
    image.SetStretch(true);
    image.SetPicture(picture);
    ui::Label label(&w.form, "Label");
    label.SetTransparent(true);
    label.SetAutoSize(false);
    label.SetBounds(20, 20, 60, 10);
    label.SetCaption(" ");
    w.form.Realize();
    Snapshot shot(ControlWindow::WindowOf(&label));
    CHECK_EQ(shot.At(5, 5), RGB(200, 0, 0));            // over the picture
    CHECK_EQ(shot.At(30, 5), Ref(ui::colors::Yellow));  // past its right edge
    label.SetTransparent(false);
    label.SetColor(ui::colors::Lime);
    Snapshot opaque(ControlWindow::WindowOf(&label));
    CHECK_EQ(opaque.At(5, 5), Ref(ui::colors::Lime));
}

TEST(TransparentImageLeavesOutItsKeyColour) {
    Window w;
    w.form.SetColor(ui::colors::Yellow);
    auto picture = std::make_shared<ui::Bitmap>();
    picture->width = 2;
    picture->height = 2;
    // Row 0: blue, green; row 1: white (the key: bottom left), white.
    picture->rgb = {0, 0, 255, 0, 255, 0, 255, 255, 255, 255, 255, 255};
    ui::Image image(&w.form, "Image");
    image.SetBounds(0, 0, 2, 2);
    image.SetPicture(picture);
    w.form.Realize();
    Snapshot plain(ControlWindow::WindowOf(&image));
    CHECK_EQ(plain.At(0, 1), RGB(255, 255, 255));
    image.SetTransparent(true);
    Snapshot keyed(ControlWindow::WindowOf(&image));
    CHECK_EQ(keyed.At(0, 0), RGB(0, 0, 255));
    CHECK_EQ(keyed.At(1, 0), RGB(0, 255, 0));
    CHECK_EQ(keyed.At(0, 1), Ref(ui::colors::Yellow));
}

TEST(ImageShowsTheProgramIcon) {
    Window w;
    w.form.SetColor(ui::colors::Yellow);
    ui::Image image(&w.form, "Icon");
    image.SetBounds(0, 0, 41, 41);
    image.SetShowsProgramIcon(true);
    w.form.Realize();
    REQUIRE(w.factory.Context().ProgramIcon() != nullptr);
    Snapshot shot(ControlWindow::WindowOf(&image));
    CHECK_EQ(shot.At(40, 40), Ref(ui::colors::Yellow));  // outside the 32 x 32 icon
    CHECK(shot.At(16, 16) != Ref(ui::colors::Yellow));   // the icon's own picture
}

TEST(TimerTicksWhileEnabledOnly) {
    Window w;
    ui::Timer timer(&w.form, "Timer");
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    w.form.Realize();
    auto* peer = dynamic_cast<ui::win32::TimerPeer*>(timer.Peer());
    REQUIRE(peer != nullptr);
    CHECK(peer->Running());
    CHECK(w.PumpUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    CHECK(!peer->Running());
    const int stopped = ticks;
    w.PumpFor(100);
    CHECK_EQ(ticks, stopped);
    timer.SetEnabled(true);
    CHECK(w.PumpUntil([&] { return ticks > stopped; }));
}

TEST(AFailingTimerKeepsTicking) {
    Window w;
    ui::Timer timer(&w.form, "Timer");
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++ticks;
        throw Exception("tick failed");
    };
    w.form.Realize();
    CHECK(w.PumpUntil([&] { return ticks >= 2; }));
    CHECK(w.failures.size() >= 2 && w.failures[0] == "tick failed");
}

TEST(ClosingTheFormEndsTheLoopWithCodeZero) {
    Window w;
    w.form.Realize();
    w.form.Show();
    HWND hwnd = w.FormWindow();
    // Windows' own close request (Alt+F4) takes the form's way.
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    CHECK(w.form.Closed());
    CHECK(!::IsWindow(hwnd));
    CHECK(w.host.MainWindow() == nullptr);
    CHECK_EQ(w.host.Run(), 0);
    CHECK(w.host.QuitReceived());
}

// While the form says it cannot close (work in progress), Windows' close
// requests do nothing: neither WM_CLOSE nor the SC_CLOSE that Alt+F4 and the
// taskbar send; once it can, SC_CLOSE closes it through WM_CLOSE.
TEST(AFormThatCannotCloseIgnoresWindowsCloseRequests) {
    struct Busy : Fixture {
        struct BusyForm : ui::Form {
            using ui::Form::Form;
            bool CanClose() const override { return !busy; }
            bool busy = true;
        } form{app, "BusyForm"};
        Busy() {
            form.SetBounds(0, 0, 200, 100);
            form.SetCaption("Busy test");
            form.SetPeerFactory(&factory);
        }
    } w;
    w.form.Realize();
    w.form.Show();
    HWND hwnd = ControlWindow::WindowOf(&w.form);
    ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    CHECK(!w.form.Closed());
    CHECK(::IsWindow(hwnd));

    w.form.busy = false;
    ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK(w.form.Closed());
    CHECK(!::IsWindow(hwnd));
}

TEST(PeersOutlivingTheirWindowsAreHarmless) {
    Window w;
    auto panel = std::make_unique<ui::Panel>(&w.form, "Panel");
    w.form.Realize();
    HWND child = ControlWindow::WindowOf(panel.get());
    w.form.Close();  // destroys the form's window and with it the child's
    ::PeekMessageA(nullptr, nullptr, 0, 0, PM_NOREMOVE);
    CHECK(!::IsWindow(child));
    CHECK(ControlWindow::WindowOf(panel.get()) == nullptr);
    panel->SetCaption("after");  // no window: nothing to do, nothing to crash
    panel->SetVisible(false);
    panel.reset();
}
