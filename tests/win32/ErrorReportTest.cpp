// The Win32 side of the error panel and its report: the push button peer, the
// clipboard, the web fetch's hand-over through the real message loop, and
// WinInet loaded from System32 against a port where nobody listens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Fixture.h"
#include "base/Exceptions.h"
#include "lib/LIB_GetMemStreamFromTheWeb.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Http.h"
#include "ui/Button.h"
#include "ui/win32/ControlWindow.h"

using namespace torvane;
using namespace torvane::win32test;
using ui::win32::ControlWindow;

namespace {

struct ButtonForm : Fixture {
    ButtonForm() : form(app, "Form"), button(&form, "btnClipboard") {
        form.SetBounds(0, 0, 300, 200);
        form.SetPeerFactory(&factory);
        button.SetBounds(20, 20, 91, 19);
        button.SetCaption("Copy to clipboard");
        button.OnClick = [this] { ++clicks; };
        form.Realize();
        form.Show();
    }
    HWND Window() const { return ControlWindow::WindowOf(&button); }

    ui::Form form;
    ui::Button button;
    int clicks = 0;
};

std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return "<cannot open>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

// Answers every URL with a fixed body.
class OneBodyHttp : public platform::Http {
public:
    std::unique_ptr<platform::HttpSession> Open(const std::string&) override {
        return std::make_unique<Session>();
    }

private:
    struct Request : platform::HttpRequest {
        std::string QueryStatusCode() override { return "200"; }
        bool Read(std::uint8_t* buffer, std::size_t capacity, std::size_t& read) override {
            static const char kBody[] = "answer";
            read = done ? 0 : std::min(capacity, sizeof kBody - 1);
            std::memcpy(buffer, kBody, read);
            done = true;
            return true;
        }
        bool done = false;
    };
    struct Session : platform::HttpSession {
        std::unique_ptr<platform::HttpRequest> OpenUrl(const std::string&) override {
            return std::make_unique<Request>();
        }
    };
};

}  // namespace

TEST(ErrorReport, PushButtonRunsItsClickAndHandsFailuresToTheHandler) {
    ButtonForm f;
    ASSERT_TRUE(f.Window() != nullptr);
    const LONG style = ::GetWindowLongA(f.Window(), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, LONG{BS_PUSHBUTTON});
    EXPECT_TRUE(style & WS_TABSTOP);
    char caption[64] = {};
    ::GetWindowTextA(f.Window(), caption, sizeof caption);
    EXPECT_EQ(std::string(caption), std::string("Copy to clipboard"));

    ::SendMessageA(f.Window(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.clicks, 1);
    f.button.OnClick = [] { throw Exception("Cannot open clipboard"); };
    ::SendMessageA(f.Window(), BM_CLICK, 0, 0);
    EXPECT_TRUE(f.failures == std::vector<std::string>{"Cannot open clipboard"});
}

TEST(ErrorReport, ClipboardHoldsExactlyTheTextGiven) {
    ButtonForm f;
    HWND owner = ControlWindow::WindowOf(&f.form);
    platform::win32::Win32Clipboard clipboard([owner] { return owner; });
    clipboard.SetText("Disk Full");
    EXPECT_EQ(ClipboardText(), std::string("Disk Full"));
    clipboard.SetText("C:\\x & \"y\"");
    EXPECT_EQ(ClipboardText(), std::string("C:\\x & \"y\""));
}

TEST(ErrorReport, FetchHandsItsAnswerToTheUserInterfaceThreadThroughTheMessageLoop) {
    Fixture f;
    const DWORD uiThread = ::GetCurrentThreadId();
    std::string body;
    DWORD ranOn = 0;
    auto handover = f.app.Handover();
    EXPECT_TRUE(tLibGetMemStreamFromTheWeb::Start(
        "http://any.example/",
        [&](tLibGetMemStreamFromTheWeb& sender) {
            body.assign(sender.Stream->Bytes().begin(), sender.Stream->Bytes().end());
            ranOn = ::GetCurrentThreadId();
        },
        std::make_shared<OneBodyHttp>(),
        [handover](std::function<void()> task) { return handover->Post(std::move(task)); }));
    EXPECT_TRUE(f.PumpUntil([&] { return ranOn != 0; }));
    EXPECT_EQ(body, std::string("answer"));
    EXPECT_EQ(ranOn, uiThread);
}

TEST(ErrorReport, WinInetFromSystem32GivesNoRequestForAClosedPort) {
    platform::win32::Win32Http http;
    std::unique_ptr<platform::HttpSession> session = http.Open(tLibGetMemStreamFromTheWeb::kAgent);
    ASSERT_TRUE(session != nullptr);
    EXPECT_TRUE(session->OpenUrl("http://127.0.0.1:9/nothing") == nullptr);
    // Loaded by full path, never beside the program.
    char path[MAX_PATH] = {};
    HMODULE wininet = ::GetModuleHandleA("wininet.dll");
    ASSERT_TRUE(wininet != nullptr);
    ::GetModuleFileNameA(wininet, path, sizeof path);
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(std::string(path).rfind(system, 0), std::size_t{0});
}
