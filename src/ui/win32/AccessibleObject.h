#pragma once
#include <memory>

// clang-format off
#include "base/win32/WinHeaders.h"

#include <unknwn.h>
// clang-format on

namespace torvane::ui {
class Control;
}

namespace torvane::ui::win32 {

// Ties an accessible object to its control for as long as the control's
// window lives: a screen reader may keep the object longer, and then finds
// no control (every call fails with "gone").
struct AccessibleLink {
    Control* control = nullptr;
    HWND window = nullptr;
};

// oleacc.dll, loaded by its System32 path when a screen reader first asks
// (never at start) and pinned for the rest of the process: objects handed
// out hold the system's standard objects, which are its code, and clients
// may release them late.
class Oleacc {
public:
    // Nothing when the library or its functions are missing.
    static std::unique_ptr<Oleacc> Load();

    using CreateStandardFn = HRESULT WINAPI(HWND, LONG, REFIID, void**);
    using LresultFromObjectFn = LRESULT WINAPI(REFIID, WPARAM, LPUNKNOWN);
    CreateStandardFn* createStandard = nullptr;
    LresultFromObjectFn* lresultFromObject = nullptr;
};

// The answer to WM_GETOBJECT for OBJID_CLIENT of a window of the control
// layer: an IAccessible that tells the control's role, name, value, state and
// default action (ui::Describe) and leaves everything else (place, parent,
// children, focus) to the system's standard object for the window. One
// object type for every kind of control. Returns 0 (the system's own
// answer) for a control of the default role, or without oleacc.
LRESULT AnswerGetObject(Oleacc* oleacc, const std::shared_ptr<AccessibleLink>& link, WPARAM wParam,
                        LPARAM lParam);

// The window message a default action is posted as: accDoDefaultAction
// returns at once, and the click then runs from the message loop.
constexpr UINT kDoDefaultAction = WM_APP + 2;

}  // namespace torvane::ui::win32
