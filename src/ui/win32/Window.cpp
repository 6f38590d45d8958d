#include "ui/win32/Window.h"

#include <string>

#include "base/Exceptions.h"
#include "ui/Application.h"

namespace torvane::ui::win32 {

Window::~Window() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    // Cut the window off from this half-destroyed object first: the messages
    // that DestroyWindow sends get the default handling.
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    // A system control gets its own procedure back, which frees its state
    // when it sees its WM_NCDESTROY.
    if (original_) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    hwnd_ = nullptr;
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

void Window::RegisterClassOnce(const char* name, UINT style, HICON icon, HICON smallIcon) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(instance, name, &existing)) return;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::WindowProcedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;
    wc.lpszClassName = name;
    if (!::RegisterClassExA(&wc))
        throw Exception(std::string("Cannot register the window class ") + name + " (error " +
                        std::to_string(::GetLastError()) + ")");
}

void Window::Create(const char* className, DWORD exStyle, DWORD style, const char* text, int left,
                    int top, int width, int height, HWND parent) {
    HWND hwnd = ::CreateWindowExA(exStyle, className, text, style, left, top, width, height, parent,
                                  nullptr, ::GetModuleHandleA(nullptr), this);
    if (!hwnd)
        throw Exception(std::string("Cannot create a window of class ") + className + " (error " +
                        std::to_string(::GetLastError()) + ")");
    hwnd_ = hwnd;
}

void Window::Subclass() {
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::WindowProcedure)));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    if (original_) return ::CallWindowProcA(original_, hwnd_, message, wParam, lParam);
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        // The first message that carries the object; a top-level window gets
        // WM_GETMINMAXINFO before it, which has nothing to find yet.
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    bool handled = false;
    // Kept aside: a failing handler may have destroyed the object.
    const WNDPROC original = self->original_;
    self->app_.Dispatch([&] {
        result = self->HandleMessage(message, wParam, lParam);
        handled = true;
    });
    if (!handled)
        result = original ? ::CallWindowProcA(original, hwnd, message, wParam, lParam)
                          : ::DefWindowProcA(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->app_.Dispatch([self] { self->Destroyed(); });
    }
    return result;
}

}  // namespace torvane::ui::win32
