#include "Fixture.h"

#include <gtest/gtest.h>

#include "base/win32/UniqueHandle.h"

namespace torvane::win32test {

Snapshot::Snapshot(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    previous_ = ::SelectObject(dc_, bitmap_);
    ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
}

Snapshot::~Snapshot() {
    ::SelectObject(dc_, previous_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
}

namespace {

DWORD WINAPI RunBody(void* body) {
    (*static_cast<const std::function<void()>*>(body))();
    return 0;
}

}  // namespace

void RunOnAThreadOfItsOwn(const std::function<void()>& body) {
    platform::win32::UniqueKernelHandle thread(
        ::CreateThread(nullptr, 0, RunBody, const_cast<std::function<void()>*>(&body), 0, nullptr));
    ASSERT_TRUE(thread) << "no thread";
    ::WaitForSingleObject(thread.Get(), INFINITE);
}

RECT RectInParent(HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace torvane::win32test
