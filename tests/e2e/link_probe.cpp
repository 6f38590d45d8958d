// link_probe.exe: reads .lnk files back through the shell link object, as the
// shell does when a shortcut is opened, for the scenarios to check.
//
//   link_probe.exe FILE...   one line per file:
//     FILE<TAB>target<TAB>description<TAB>arguments<TAB>icon file,index
//   target is "url:" and the web address the shortcut's item list holds, or
//   "path:" and the file path IShellLinkA::GetPath gives; "none:" when the
//   shortcut holds neither; the whole line is "FILE<TAB>unreadable" when the
//   file does not load.
// Exit status: 0 when every file loaded, 1 otherwise.
// clang-format off
#include "base/win32/WinHeaders.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/UrlItemList.h"

#include <shlobj.h>
// clang-format on

#include <cstdio>
#include <string>

using torvane::platform::win32::ComApartment;
using torvane::platform::win32::ComPtr;

namespace {

bool Probe(const char* file) {
    void* object = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  &object)))
        return false;
    const ComPtr<IShellLinkA> link(static_cast<IShellLinkA*>(object));
    void* persist = nullptr;
    if (FAILED(link.Get()->QueryInterface(IID_IPersistFile, &persist))) return false;
    const ComPtr<IPersistFile> stored(static_cast<IPersistFile*>(persist));
    wchar_t wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
    if (FAILED(stored.Get()->Load(wide, STGM_READ))) return false;

    std::string target = "none:";
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link.Get()->GetIDList(&items)) && items) {
        if (auto url = torvane::platform::win32::UrlOfItemList(items)) target = "url:" + *url;
        ::CoTaskMemFree(items);
    }
    char text[INFOTIPSIZE] = {};
    if (target == "none:" && link.Get()->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK &&
        text[0])
        target = std::string("path:") + text;
    char description[INFOTIPSIZE] = {}, arguments[INFOTIPSIZE] = {}, icon[MAX_PATH] = {};
    int index = -1;
    link.Get()->GetDescription(description, INFOTIPSIZE);
    link.Get()->GetArguments(arguments, INFOTIPSIZE);
    link.Get()->GetIconLocation(icon, MAX_PATH, &index);
    std::printf("%s\t%s\t%s\t%s\t%s,%d\n", file, target.c_str(), description, arguments, icon,
                index);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ComApartment com;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        if (!Probe(argv[i])) {
            std::printf("%s\tunreadable\n", argv[i]);
            status = 1;
        }
    }
    return status;
}
