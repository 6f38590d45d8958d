// The peers under a real window tree: placement, styles, painting, mouse,
// timers, and failures that must stay inside the window procedure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

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

TEST(Peer, FormHasAFixedCentredDialogFrameWithoutBorderIcons) {
    Window w;
    w.form.Realize();
    HWND hwnd = w.FormWindow();
    ASSERT_TRUE(hwnd != nullptr);
    RECT client;
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 300L);
    EXPECT_EQ(client.bottom, 200L);
    const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_TRUE(!(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)));
    char text[64] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string("Peer test"));
    EXPECT_TRUE(w.host.MainWindow() == hwnd);
    EXPECT_TRUE(!::IsWindowVisible(hwnd));  // forms start hidden

    w.form.Show();  // centred on the work area
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    RECT work, frame;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hwnd, &frame);
    EXPECT_TRUE(std::abs((frame.left - work.left) - (work.right - frame.right)) <= 1);
    EXPECT_TRUE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)) <= 1);
}

TEST(Peer, FormAlphaBlendIsALayeredWindowUntilSwitchedOff) {
    Window w;
    w.form.Realize();
    HWND hwnd = w.FormWindow();
    w.form.SetAlphaBlend(true);
    w.form.SetAlphaBlendValue(48);
    EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_EQ(int(alpha), 48);
    EXPECT_TRUE(flags & LWA_ALPHA);
    w.form.SetAlphaBlendValue(300);  // clamped, never wraps
    ::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags);
    EXPECT_EQ(int(alpha), 255);
    w.form.SetAlphaBlend(false);
    EXPECT_TRUE(!(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED));
}

TEST(Peer, ChildWindowsFollowBoundsVisibilityAndCaption) {
    Window w;
    ui::Panel panel(&w.form, "Panel");
    panel.SetBounds(10, 20, 100, 50);
    panel.SetCaption("Head");
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&panel);
    ASSERT_TRUE(hwnd != nullptr);
    EXPECT_TRUE(::GetParent(hwnd) == w.FormWindow());
    RECT r = RectInParent(hwnd);
    EXPECT_EQ(r.left, 10L);
    EXPECT_EQ(r.top, 20L);
    EXPECT_EQ(r.right - r.left, 100L);
    EXPECT_EQ(r.bottom - r.top, 50L);
    panel.SetLeft(80);
    EXPECT_EQ(RectInParent(hwnd).left, 80L);
    EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
    panel.SetVisible(false);
    EXPECT_TRUE(!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE));
    panel.SetCaption("Other");
    char text[32] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string("Other"));
    panel.SetEnabled(false);
    EXPECT_TRUE(!::IsWindowEnabled(hwnd));
}

TEST(Peer, ControlsCreatedUnderAShownParentGetWindowsToo) {
    Window w;
    ui::PageControl pages(&w.form, "Pages");
    pages.SetBounds(0, 0, 200, 100);
    w.form.Realize();
    ui::Page& first = pages.AddPage("First");  // realizes itself
    ui::Page& second = pages.AddPage("Second");
    ASSERT_TRUE(ControlWindow::WindowOf(&first) && ControlWindow::WindowOf(&second));
    EXPECT_TRUE(::IsWindowVisible(ControlWindow::WindowOf(&first)) == FALSE);  // form hidden
    EXPECT_TRUE(::GetWindowLongA(ControlWindow::WindowOf(&first), GWL_STYLE) & WS_VISIBLE);
    pages.SetActivePage(&second);
    EXPECT_TRUE(!(::GetWindowLongA(ControlWindow::WindowOf(&first), GWL_STYLE) & WS_VISIBLE));
    EXPECT_TRUE(::GetWindowLongA(ControlWindow::WindowOf(&second), GWL_STYLE) & WS_VISIBLE);
}

TEST(Peer, ImagesStackBelowOtherControlsWhateverTheirOrder) {
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
    EXPECT_TRUE(order == expected);
}

TEST(Peer, PanelPaintsItsColourAndRaisedBevel) {
    Window w;
    ui::Panel panel(&w.form, "Panel");
    panel.SetBounds(0, 0, 60, 40);
    panel.SetColor(ui::colors::Navy);
    w.form.Realize();
    Snapshot shot(ControlWindow::WindowOf(&panel));
    EXPECT_EQ(shot.At(30, 20), Ref(ui::colors::Navy));
    EXPECT_EQ(shot.At(0, 0), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(shot.At(59, 39), ::GetSysColor(COLOR_3DSHADOW));
    panel.SetBevel(ui::Bevel::None);
    Snapshot flat(ControlWindow::WindowOf(&panel));
    EXPECT_EQ(flat.At(0, 0), Ref(ui::colors::Navy));
}

TEST(Peer, SpeedButtonPaintsItsComputedFace) {
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
        EXPECT_EQ(shot.At(0, 0), Ref(ui::colors::Cream));  // corner outside the rounded outline
        EXPECT_EQ(shot.At(45, 0), Ref(face.outline));      // top edge of the outline
        EXPECT_EQ(shot.At(45, 22), Ref(face.outline));     // bottom edge
        EXPECT_EQ(shot.At(1, 11), Ref(face.innerFrame));   // inner frame, left side
        // Column x = 2, away from the caption, between the inner frame's top
        // and bottom rows: the colour of the last band painted over each row.
        for (int y = 2; y < 21; ++y) {
            const ui::GradientBand* last = nullptr;
            for (const ui::GradientBand& band : face.bands)
                if (y >= band.top && y < band.top + band.height) last = &band;
            ASSERT_TRUE(last != nullptr);
            EXPECT_EQ(shot.At(2, y), Ref(last->color));
        }
    };
    checkFace();
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(button.Pressed());
    checkFace();
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
}

TEST(Peer, SpeedButtonClicksOnEachReleaseOverIt) {
    Window w;
    ui::TLbSpeedButton button(&w.form, "Button");
    button.SetBounds(0, 0, 90, 23);
    int clicks = 0;
    button.OnClick = [&](ui::Control&) { ++clicks; };
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&button);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(clicks, 1);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(300, 10));  // released elsewhere
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(!button.Pressed());
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));  // a release without a press
    EXPECT_EQ(clicks, 1);
    // A double click is two clicks: without CS_DBLCLKS the second press never
    // turns into WM_LBUTTONDBLCLK.
    EXPECT_TRUE(!(::GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS));
    for (int i = 0; i < 2; ++i) {
        ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    }
    EXPECT_EQ(clicks, 3);
}

TEST(Peer, AFailingClickHandlerReachesTheFailureHandlerNotWindows) {
    Window w;
    ui::TLbSpeedButton button(&w.form, "Button");
    button.SetBounds(0, 0, 90, 23);
    button.OnClick = [](ui::Control&) { throw Exception("click failed"); };
    w.form.Realize();
    HWND hwnd = ControlWindow::WindowOf(&button);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_TRUE(w.failures == std::vector<std::string>{"click failed"});
    EXPECT_TRUE(!button.Pressed());
    // A silent abort is dropped.
    button.OnClick = [](ui::Control&) { throw EAbort(); };
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(w.failures.size(), std::size_t{1});
}

TEST(Peer, AutoSizedLabelTakesTheSizeOfItsLines) {
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
    EXPECT_TRUE(r1.right - r1.left > 10 && r1.right - r1.left < 400);
    EXPECT_EQ(r2.right - r2.left, r1.right - r1.left);
    EXPECT_EQ(r2.bottom - r2.top, 2 * (r1.bottom - r1.top));
    EXPECT_EQ(r3.right - r3.left, 40L);
    EXPECT_EQ(r3.bottom - r3.top, 30L);
    EXPECT_EQ(one.Width(), 400);  // the control keeps the layout's bounds
}

TEST(Peer, TransparentLabelShowsThePictureBehindIt) {
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
    EXPECT_EQ(shot.At(5, 5), RGB(200, 0, 0));            // over the picture
    EXPECT_EQ(shot.At(30, 5), Ref(ui::colors::Yellow));  // past its right edge
    label.SetTransparent(false);
    label.SetColor(ui::colors::Lime);
    Snapshot opaque(ControlWindow::WindowOf(&label));
    EXPECT_EQ(opaque.At(5, 5), Ref(ui::colors::Lime));
}

TEST(Peer, TransparentImageLeavesOutItsKeyColour) {
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
    EXPECT_EQ(plain.At(0, 1), RGB(255, 255, 255));
    image.SetTransparent(true);
    Snapshot keyed(ControlWindow::WindowOf(&image));
    EXPECT_EQ(keyed.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(keyed.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(keyed.At(0, 1), Ref(ui::colors::Yellow));
}

TEST(Peer, ImageShowsTheProgramIcon) {
    Window w;
    w.form.SetColor(ui::colors::Yellow);
    ui::Image image(&w.form, "Icon");
    image.SetBounds(0, 0, 41, 41);
    image.SetShowsProgramIcon(true);
    w.form.Realize();
    ASSERT_TRUE(w.factory.Context().ProgramIcon() != nullptr);
    Snapshot shot(ControlWindow::WindowOf(&image));
    EXPECT_EQ(shot.At(40, 40), Ref(ui::colors::Yellow));      // outside the 32 x 32 icon
    EXPECT_TRUE(shot.At(16, 16) != Ref(ui::colors::Yellow));  // the icon's own picture
}

TEST(Peer, TimerTicksWhileEnabledOnly) {
    Window w;
    ui::Timer timer(&w.form, "Timer");
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    w.form.Realize();
    // A timer's peer is the factory's TimerPeer, and no window.
    ASSERT_TRUE(timer.Peer() != nullptr && !timer.Peer()->IsWindow());
    auto* peer = static_cast<ui::win32::TimerPeer*>(timer.Peer());
    EXPECT_TRUE(ControlWindow::WindowOf(&timer) == nullptr);
    EXPECT_TRUE(peer->Running());
    EXPECT_TRUE(w.PumpUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    EXPECT_TRUE(!peer->Running());
    const int stopped = ticks;
    w.PumpFor(100);
    EXPECT_EQ(ticks, stopped);
    timer.SetEnabled(true);
    EXPECT_TRUE(w.PumpUntil([&] { return ticks > stopped; }));
}

TEST(Peer, AFailingTimerKeepsTicking) {
    Window w;
    ui::Timer timer(&w.form, "Timer");
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++ticks;
        throw Exception("tick failed");
    };
    w.form.Realize();
    EXPECT_TRUE(w.PumpUntil([&] { return ticks >= 2; }));
    EXPECT_TRUE(w.failures.size() >= 2 && w.failures[0] == "tick failed");
}

TEST(Peer, ClosingTheFormEndsTheLoopWithCodeZero) {
    Window w;
    w.form.Realize();
    w.form.Show();
    HWND hwnd = w.FormWindow();
    // Windows' own close request (Alt+F4) takes the form's way.
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(w.form.Closed());
    EXPECT_TRUE(!::IsWindow(hwnd));
    EXPECT_TRUE(w.host.MainWindow() == nullptr);
    EXPECT_EQ(w.host.Run(), 0);
    EXPECT_TRUE(w.host.QuitReceived());
}

// While the form says it cannot close (work in progress), Windows' close
// requests do nothing: neither WM_CLOSE nor the SC_CLOSE that Alt+F4 and the
// taskbar send; once it can, SC_CLOSE closes it through WM_CLOSE.
TEST(Peer, AFormThatCannotCloseIgnoresWindowsCloseRequests) {
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
    EXPECT_TRUE(!w.form.Closed());
    EXPECT_TRUE(::IsWindow(hwnd));

    w.form.busy = false;
    ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(w.form.Closed());
    EXPECT_TRUE(!::IsWindow(hwnd));
}

TEST(Peer, PeersOutlivingTheirWindowsAreHarmless) {
    Window w;
    auto panel = std::make_unique<ui::Panel>(&w.form, "Panel");
    w.form.Realize();
    HWND child = ControlWindow::WindowOf(panel.get());
    w.form.Close();  // destroys the form's window and with it the child's
    ::PeekMessageA(nullptr, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_TRUE(!::IsWindow(child));
    EXPECT_TRUE(ControlWindow::WindowOf(panel.get()) == nullptr);
    panel->SetCaption("after");  // no window: nothing to do, nothing to crash
    panel->SetVisible(false);
    panel.reset();
}
