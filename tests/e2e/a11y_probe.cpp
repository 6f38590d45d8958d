// a11y_probe.exe: what a screen reader hears of the setup's window, through
// MSAA as clients ask for it (AccessibleObjectFromWindow on each window).
//
//   a11y_probe.exe TITLE           one line per visible child window of the
//                                  top-level window titled TITLE, in window order:
//     a11y<TAB>class<TAB>role<TAB>name<TAB>value<TAB>default action<TAB>hidden|shown
//   a11y_probe.exe TITLE --press NAME
//                                  runs the default action of the push button
//                                  named NAME (as a screen reader's "click").
// role is a short name (pushbutton, statictext, graphic, link, progressbar,
// client, ...) or the number MSAA gave. Exit status: 0 on success, 1 when
// the window or the button is not there or a call failed.
// clang-format off
#include "base/win32/WinHeaders.h"

#include <oleacc.h>
// clang-format on

#include <cstdio>
#include <string>
#include <vector>

namespace {

// IID_IAccessible, spelled out: mingw's liboleacc.a resolves the name to an
// import thunk, not to the identifier's bytes.
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

const char* RoleName(long role) {
    switch (role) {
        case ROLE_SYSTEM_PUSHBUTTON:
            return "pushbutton";
        case ROLE_SYSTEM_STATICTEXT:
            return "statictext";
        case ROLE_SYSTEM_GRAPHIC:
            return "graphic";
        case ROLE_SYSTEM_LINK:
            return "link";
        case ROLE_SYSTEM_PROGRESSBAR:
            return "progressbar";
        case ROLE_SYSTEM_CLIENT:
            return "client";
        case ROLE_SYSTEM_PANE:
            return "pane";
        case ROLE_SYSTEM_GROUPING:
            return "grouping";
        case ROLE_SYSTEM_OUTLINE:
            return "outline";
        case ROLE_SYSTEM_CHECKBUTTON:
            return "checkbutton";
        case ROLE_SYSTEM_RADIOBUTTON:
            return "radiobutton";
        case ROLE_SYSTEM_TEXT:
            return "text";
        case ROLE_SYSTEM_COMBOBOX:
            return "combobox";
        default:
            return nullptr;
    }
}

std::string Narrow(BSTR text) {
    if (!text) return "";
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    ::SysFreeString(text);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM found) {
    if (::IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

struct Heard {
    std::string role, name, value, action;
    bool hidden = false;
    IAccessible* object = nullptr;
};

bool Listen(HWND hwnd, Heard& heard) {
    void* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, kIidAccessible, &object)) ||
        !object)
        return false;
    auto* accessible = static_cast<IAccessible*>(object);
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    ::VariantInit(&role);
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) {
        const char* name = RoleName(role.lVal);
        heard.role = name ? name : std::to_string(role.lVal);
    }
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text))) heard.name = Narrow(text);
    text = nullptr;
    if (SUCCEEDED(accessible->get_accValue(self, &text))) heard.value = Narrow(text);
    text = nullptr;
    if (SUCCEEDED(accessible->get_accDefaultAction(self, &text))) heard.action = Narrow(text);
    VARIANT state;
    ::VariantInit(&state);
    if (SUCCEEDED(accessible->get_accState(self, &state)) && state.vt == VT_I4)
        heard.hidden = (state.lVal & STATE_SYSTEM_INVISIBLE) != 0;
    heard.object = accessible;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--press")) {
        std::fprintf(stderr, "usage: a11y_probe.exe TITLE [--press NAME]\n");
        return 2;
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND top = ::FindWindowA(nullptr, argv[1]);
    if (!top) {
        std::fprintf(stderr, "no window titled %s\n", argv[1]);
        return 1;
    }
    std::vector<HWND> windows;
    ::EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&windows));
    int status = argc == 4 ? 1 : 0;
    for (HWND hwnd : windows) {
        Heard heard;
        char className[64] = "";
        ::GetClassNameA(hwnd, className, sizeof className);
        if (!Listen(hwnd, heard)) {
            std::printf("a11y\t%s\tunreadable\n", className);
            status = 1;
            continue;
        }
        if (argc == 4) {
            if (heard.role == "pushbutton" && heard.name == argv[3]) {
                VARIANT self;
                ::VariantInit(&self);
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                status = SUCCEEDED(heard.object->accDoDefaultAction(self)) ? 0 : 1;
            }
        } else {
            std::printf("a11y\t%s\t%s\t%s\t%s\t%s\t%s\n", className, heard.role.c_str(),
                        heard.name.c_str(), heard.value.c_str(), heard.action.c_str(),
                        heard.hidden ? "hidden" : "shown");
        }
        heard.object->Release();
    }
    ::CoUninitialize();
    return status;
}
