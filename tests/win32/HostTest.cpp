// The message loop: hand-over from other threads, Alt+letter routing.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "base/Exceptions.h"
#include "ui/Panel.h"
#include "ui/win32/ControlWindow.h"

using namespace torvane;
using namespace torvane::win32test;
using ui::win32::ControlWindow;

namespace {
constexpr LPARAM kAltDown = LPARAM{1} << 29;

// A shown form with a panel (a child the keys are aimed at) and a real check
// box whose caption marks G; the accelerator handler records what it is
// offered and takes only the letters in `taken`.
struct Keys : Fixture {
    Keys() : form(app, "KeysForm"), panel(&form, "Panel") {
        form.SetBounds(0, 0, 200, 100);
        panel.SetBounds(0, 0, 100, 50);
        form.SetPeerFactory(&factory);
        form.Realize();
        form.Show();
        checkBox = ::CreateWindowExA(0, "BUTTON", "&Go", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                     100, 60, 80, 20, ControlWindow::WindowOf(&form), nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
        host.SetAcceleratorHandler([this](char letter) {
            offered += letter;
            return taken.find(letter) != std::string::npos;
        });
    }
    // Alt+letter as TranslateMessage delivers it, then one pass of the pump.
    void AltLetter(HWND target, char letter) {
        ::PostMessageA(target, WM_SYSCHAR, static_cast<unsigned char>(letter), kAltDown | 1);
        host.ProcessMessages();
    }
    bool Checked() const { return ::SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    ui::Form form;
    ui::Panel panel;
    HWND checkBox = nullptr;
    std::string offered;
    std::string taken = "n";
};
}  // namespace

TEST(Host, PostedTasksRunOnTheUserInterfaceThreadInOrder) {
    Fixture f;
    const DWORD uiThread = ::GetCurrentThreadId();
    std::vector<int> ran;
    DWORD ranOn = 0;
    RunOnAThreadOfItsOwn([&] {
        f.host.PostToUiThread([&] {
            ran.push_back(1);
            ranOn = ::GetCurrentThreadId();
        });
        f.host.PostToUiThread([&] { throw Exception("task failed"); });
        f.host.PostToUiThread([&] { ran.push_back(3); });
    });
    EXPECT_TRUE(ran.empty());  // nothing runs until the loop does
    EXPECT_TRUE(f.PumpUntil([&] { return ran.size() == 2; }));
    EXPECT_TRUE(ran == (std::vector<int>{1, 3}));
    EXPECT_EQ(ranOn, uiThread);
    EXPECT_TRUE(f.failures == std::vector<std::string>{"task failed"});
}

TEST(Host, AltLetterGoesToTheButtonBarFirst) {
    Keys k;
    k.taken = "gGn";
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'n');
    k.AltLetter(ControlWindow::WindowOf(&k.form), 'G');
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'g');
    EXPECT_EQ(k.offered, std::string("nGg"));
    EXPECT_TRUE(!k.Checked());  // taken by the bar, never seen by the check box
}

TEST(Host, AltLetterTheBarDeclinesReachesTheControlItMarks) {
    Keys k;
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'g');
    EXPECT_EQ(k.offered, std::string("g"));
    EXPECT_TRUE(k.Checked());
    // A letter nobody marks changes nothing and leaves the window as it was.
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'z');
    EXPECT_TRUE(k.Checked());
    EXPECT_TRUE(::IsWindow(ControlWindow::WindowOf(&k.form)));
    EXPECT_TRUE(!k.form.Closed());
}

TEST(Host, AFailingAcceleratorHandlerIsReportedAndSwallowed) {
    Keys k;
    k.host.SetAcceleratorHandler([](char) -> bool { throw Exception("accelerator failed"); });
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'g');
    EXPECT_TRUE(k.failures == std::vector<std::string>{"accelerator failed"});
    EXPECT_TRUE(!k.Checked());  // the letter was used up by the failed click
}

TEST(Host, AcceleratorThatClosesTheWindowEndsTheLoop) {
    Keys k;
    k.host.SetAcceleratorHandler([&k](char) {
        k.form.Close();
        return true;
    });
    k.AltLetter(ControlWindow::WindowOf(&k.panel), 'e');
    EXPECT_TRUE(k.form.Closed());
    EXPECT_EQ(k.host.Run(), 0);
}
