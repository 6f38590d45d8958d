#include "platform/win32/ShellHandOff.h"

// The shell's headers need <windows.h> as WinHeaders.h sets it up, first.
// clang-format off
#include "base/win32/WinHeaders.h"
#include "platform/win32/ComPtr.h"

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
// clang-format on

#include <vector>

// shellapi.h maps this name to ShellExecuteA; here it is the method of
// IShellDispatch2.
#undef ShellExecute

namespace torvane::platform::win32 {

namespace {

struct BstrTraits {
    using Handle = BSTR;
    static Handle Empty() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::SysFreeString(h); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

// The text, in the system code page, as a string the shell's process can
// read (COM passes a BSTR by its length prefix).
UniqueBstr Bstr(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return UniqueBstr();
    std::vector<wchar_t> wide(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    return UniqueBstr(::SysAllocString(wide.data()));
}

template <typename Interface>
ComPtr<Interface> Query(IUnknown* from, REFIID iid) {
    void* found = nullptr;
    if (!from || FAILED(from->QueryInterface(iid, &found)) || !found) return ComPtr<Interface>();
    return ComPtr<Interface>(static_cast<Interface*>(found));
}

VARIANT Number(long value) {
    VARIANT variant;
    ::VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

// The automation object of the shell that shows the desktop; empty when
// there is none or a step fails.
ComPtr<IShellDispatch2> DesktopShell() {
    void* object = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_IShellWindows, &object)) ||
        !object)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IShellWindows> windows(static_cast<IShellWindows*>(object));
    VARIANT desktopPlace = Number(CSIDL_DESKTOP);
    VARIANT none;
    ::VariantInit(&none);
    long window = 0;
    IDispatch* found = nullptr;
    if (windows.Get()->FindWindowSW(&desktopPlace, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                    &found) != S_OK ||
        !found)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IDispatch> desktop(found);

    const auto provider = Query<IServiceProvider>(desktop.Get(), IID_IServiceProvider);
    void* browserObject = nullptr;
    if (!provider ||
        FAILED(provider.Get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                            &browserObject)) ||
        !browserObject)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IShellBrowser> browser(static_cast<IShellBrowser*>(browserObject));

    IShellView* viewObject = nullptr;
    if (FAILED(browser.Get()->QueryActiveShellView(&viewObject)) || !viewObject)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IShellView> view(viewObject);

    void* background = nullptr;
    if (FAILED(view.Get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, &background)) ||
        !background)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IDispatch> backgroundObject(static_cast<IDispatch*>(background));

    const auto folderView =
        Query<IShellFolderViewDual>(backgroundObject.Get(), IID_IShellFolderViewDual);
    IDispatch* application = nullptr;
    if (!folderView || FAILED(folderView.Get()->get_Application(&application)) || !application)
        return ComPtr<IShellDispatch2>();
    const ComPtr<IDispatch> applicationObject(application);
    return Query<IShellDispatch2>(applicationObject.Get(), IID_IShellDispatch2);
}

}  // namespace

bool ShellExecuteAsShellUser(const std::string& file, const std::string& parameters, int show) {
    const ComApartment apartment;
    if (FAILED(apartment.Result()) && apartment.Result() != RPC_E_CHANGED_MODE) return false;
    const ComPtr<IShellDispatch2> shell = DesktopShell();
    if (!shell) return false;
    const UniqueBstr fileText = Bstr(file);
    const UniqueBstr parameterText = Bstr(parameters);
    if (!fileText || !parameterText) return false;
    VARIANT arguments;
    ::VariantInit(&arguments);
    arguments.vt = VT_BSTR;
    arguments.bstrVal = parameterText.Get();  // still owned by parameterText
    VARIANT none;
    ::VariantInit(&none);
    // The window the shell opens may come to the front over the setup's.
    ::CoAllowSetForegroundWindow(shell.Get(), nullptr);
    return SUCCEEDED(
        shell.Get()->ShellExecute(fileText.Get(), arguments, none, none, Number(show)));
}

}  // namespace torvane::platform::win32
