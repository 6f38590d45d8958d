// Program entry of Torvane.Exe, the demonstration client: a window that shows
// what the client's data file holds, read with the setup's own decoder.
#include <shlobj.h>

#include <exception>
#include <string>
#include <vector>

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "client/ClientReport.h"
#include "common/win32/CarriedWin32.h"
#include "payload/DataFileDecoder.h"
#include "platform/win32/DllHardening.h"

namespace {

using namespace torvane;
using platform::win32::UniqueFont;

constexpr const char* kClassName = "TorvaneClientWindow";
constexpr const char* kHeading = "Torvane P2P demonstration client";
constexpr std::size_t kMaxDataFileBytes = 64u << 20;  // a real data file is well under 1 MB
constexpr int kMargin = 14;
constexpr int kClientWidth = 680;

// The lines to show: the first data file found, decoded, or why there is none.
std::vector<std::string> ReadDataFileLines() {
    const std::string programFolder = carried::win32::FolderPart(carried::win32::ModulePath());
    const std::vector<std::string> candidates =
        client::DataFileCandidates(carried::win32::ShellFolder(CSIDL_LOCAL_APPDATA), programFolder);
    for (const std::string& path : candidates) {
        if (!carried::win32::FileExists(path)) continue;
        std::string bytes;
        DWORD error = 0;
        if (!carried::win32::ReadWholeFile(path, kMaxDataFileBytes, bytes, error))
            return client::DescribeUnreadable(path, carried::win32::ErrorText(error));
        try {
            return client::DescribeDataFile(
                path, DecodeDataFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
        } catch (const std::exception& e) {
            return client::DescribeUnreadable(path, e.what());
        }
    }
    return client::DescribeNoDataFile(candidates);
}

// The main window: a heading and one static text per line, stretched to the
// window's width (long paths end in an ellipsis on screen; the window text
// keeps them whole).
class ClientWindow {
public:
    explicit ClientWindow(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    HWND Create(HINSTANCE instance) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font_.Reset(::CreateFontIndirectA(&metrics.lfMessageFont));
            LOGFONTA bold = metrics.lfMessageFont;
            bold.lfWeight = FW_BOLD;
            bold.lfHeight = bold.lfHeight * 3 / 2;
            headingFont_.Reset(::CreateFontIndirectA(&bold));
        }
        lineHeight_ = 22;
        const int height = kMargin + 34 + static_cast<int>(lines_.size()) * lineHeight_ + kMargin;
        RECT frame{0, 0, kClientWidth, height};
        const DWORD style = WS_OVERLAPPEDWINDOW;
        ::AdjustWindowRectEx(&frame, style, FALSE, 0);
        return ::CreateWindowExA(0, kClassName, client::Caption().c_str(), style, CW_USEDEFAULT,
                                 CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                 nullptr, nullptr, instance, this);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        // Nothing may unwind into Windows: a failure ends the program with a message.
        try {
            if (message == WM_NCCREATE) {
                auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
                ::SetWindowLongPtrA(window, GWLP_USERDATA,
                                    reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            }
            auto* self =
                reinterpret_cast<ClientWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
            if (self) return self->Handle(window, message, wParam, lParam);
        } catch (const std::exception& e) {
            ::MessageBoxA(window, e.what(), client::Caption().c_str(), MB_OK | MB_ICONERROR);
            ::PostQuitMessage(1);
        } catch (...) {
            ::PostQuitMessage(1);
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

private:
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                CreateTexts(window);
                return 0;
            case WM_SIZE:
                Layout(LOWORD(lParam));
                return 0;
            case WM_DESTROY:
                ::PostQuitMessage(0);
                return 0;
            default:
                return ::DefWindowProcA(window, message, wParam, lParam);
        }
    }

    void CreateTexts(HWND window) {
        const HINSTANCE instance =
            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
        auto text = [&](const std::string& caption, DWORD extra, HFONT font) {
            HWND control = ::CreateWindowExA(0, "STATIC", caption.c_str(),
                                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extra,
                                             0, 0, 10, 10, window, nullptr, instance, nullptr);
            if (control && font)
                ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            return control;
        };
        heading_ = text(kHeading, 0, headingFont_.Get());
        for (const std::string& line : lines_)
            texts_.push_back(text(line, SS_PATHELLIPSIS, font_.Get()));
    }

    void Layout(int width) {
        const int textWidth = width > 2 * kMargin ? width - 2 * kMargin : 1;
        ::MoveWindow(heading_, kMargin, kMargin, textWidth, 28, TRUE);
        int y = kMargin + 34;
        for (HWND text : texts_) {
            ::MoveWindow(text, kMargin, y, textWidth, lineHeight_ - 2, TRUE);
            y += lineHeight_;
        }
    }

    std::vector<std::string> lines_;
    UniqueFont font_, headingFont_;
    HWND heading_ = nullptr;
    std::vector<HWND> texts_;  // children: destroyed with the window
    int lineHeight_ = 22;
};

int Run(HINSTANCE instance, int showCommand) {
    ClientWindow client(ReadDataFileLines());
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ClientWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExA(&windowClass)) return 1;
    // Closing destroys it; should the loop end another way, this does.
    platform::win32::UniqueWindow window(client.Create(instance));
    if (!window) return 1;
    // SW_SHOWMAXIMIZED and friends from STARTUPINFO arrive here.
    ::ShowWindow(window.Get(), showCommand);
    ::UpdateWindow(window.Get());
    MSG message;
    int got;
    while ((got = ::GetMessageA(&message, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Before anything else can load a DLL: never from the program's folder.
    torvane::platform::win32::HardenDllSearch();
    try {
        return Run(instance, showCommand);
    } catch (const std::exception& e) {
        ::MessageBoxA(nullptr, e.what(), torvane::client::Caption().c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        ::MessageBoxA(nullptr, "Unknown failure", torvane::client::Caption().c_str(),
                      MB_OK | MB_ICONERROR);
    }
    return 1;
}
