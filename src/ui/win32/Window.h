#pragma once
#include "base/win32/WinHeaders.h"

namespace torvane::ui {
class Application;
}

namespace torvane::ui::win32 {

// Base of every window the Win32 layer makes. Not copyable: the window
// procedure finds the object through the window's GWLP_USERDATA, so the object
// must stay where it is for the window's whole life.
//
// Every message is handled through Application::Dispatch, so a C++ exception
// never unwinds into Windows: a failure goes to the program's one failure
// handler, and the message then gets the default handling (which, for
// WM_PAINT, validates the window instead of asking again forever).
//
// Destroying the object destroys its window if it still exists. A child's
// window may be gone already (destroying a parent destroys its children
// first); WM_NCDESTROY tells the object, which then holds no handle.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // The window, or nullptr before Create and after it was destroyed.
    HWND Handle() const { return hwnd_; }

protected:
    explicit Window(Application& app) : app_(app) {}

    // Registers a window class of this program once; later calls with the same
    // name do nothing. No background brush: every class paints all of its
    // client area itself.
    static void RegisterClassOnce(const char* name, UINT style, HICON icon = nullptr,
                                  HICON smallIcon = nullptr);

    // Creates the window (throws torvane::Exception on failure). `parent` may
    // be HWND_MESSAGE for a message-only window.
    void Create(const char* className, DWORD exStyle, DWORD style, const char* text, int left,
                int top, int width, int height, HWND parent);

    // For a window of a system class (BUTTON, EDIT) just made by Create:
    // its messages go through HandleMessage from now on, and DefaultHandling
    // passes them on to the class's own procedure. The object gives the
    // window its own procedure back before destroying it.
    void Subclass();

    // One message. The default runs DefWindowProcA (the class's procedure
    // for a subclassed window).
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // Called after the window is gone (WM_NCDESTROY), whoever destroyed it.
    virtual void Destroyed() {}

    Application& App() const { return app_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    Application& app_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;  // the system class's procedure of a subclassed window
};

}  // namespace torvane::ui::win32
