#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/win32/WinHeaders.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/Win32Application.h"
#include "ui/win32/Win32PeerFactory.h"

namespace torvane::win32test {

// A real Win32 host, application and peer factory, with the failures that
// reach the application's handler collected in `failures`.
struct Fixture {
    Fixture() : app(host), factory(app, host) {
        host.Attach(app);
        app.SetExceptionHandler([this](const std::exception& e) { failures.push_back(e.what()); });
    }
    ~Fixture() {
        // A form closed by the test leaves WM_QUIT behind for the next one.
        MSG message;
        while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    // Pumps messages until `done` holds or `limitMs` passed; returns `done()`.
    bool PumpUntil(const std::function<bool()>& done, unsigned limitMs = 3000) {
        const ULONGLONG end = ::GetTickCount64() + limitMs;
        while (!done()) {
            if (::GetTickCount64() > end) return false;
            host.ProcessMessages();
            ::Sleep(5);
        }
        return true;
    }
    void PumpFor(unsigned ms) {
        PumpUntil([] { return false; }, ms);
    }

    ui::win32::Win32ApplicationHost host;
    ui::Application app;
    ui::win32::Win32PeerFactory factory;
    std::vector<std::string> failures;
};

// The colour GetPixel reads from a window's client area as it paints itself
// (WM_PRINTCLIENT into an off-screen 32-bit bitmap).
class Snapshot {
public:
    explicit Snapshot(HWND window);
    ~Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

inline COLORREF Ref(ui::Color c) { return RGB(c.r, c.g, c.b); }

// Window rectangle of `child` in its parent's client coordinates.
// Runs `body` on a new thread and waits until it has ended (what the tests
// need of a worker: something to post from that is not this thread).
void RunOnAThreadOfItsOwn(const std::function<void()>& body);

RECT RectInParent(HWND child);

}  // namespace torvane::win32test
