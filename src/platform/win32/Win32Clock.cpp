#include "platform/win32/Win32Clock.h"

#include "base/DateTime.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

Win32Clock::Win32Clock() {
    LARGE_INTEGER frequency;
    if (::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
        frequency_ = static_cast<std::uint64_t>(frequency.QuadPart);
}

std::uint64_t Win32Clock::NowMs() {
    LARGE_INTEGER counter;
    if (frequency_ == 0 || !::QueryPerformanceCounter(&counter)) return ::GetTickCount64();
    const auto count = static_cast<std::uint64_t>(counter.QuadPart);
    // Split so that count * 1000 cannot overflow however long the machine runs.
    return count / frequency_ * 1000 + count % frequency_ * 1000 / frequency_;
}

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

double Win32Clock::LocalNow() {
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return EncodeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                          t.wMilliseconds);
}

}  // namespace torvane::platform::win32
