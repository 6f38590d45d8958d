#include "platform/win32/Win32Shell.h"

// The shell's headers need <windows.h> as WinHeaders.h sets it up, first.
// clang-format off
#include "base/win32/WinHeaders.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/UrlItemList.h"

#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <cstdio>
#include <vector>

#include "base/Exceptions.h"
#include "base/win32/SystemCodePage.h"

namespace torvane::platform::win32 {

namespace {

int Csidl(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::ProgramFiles:
            return CSIDL_PROGRAM_FILES;
        case SpecialFolder::LocalAppData:
            return CSIDL_LOCAL_APPDATA;
        case SpecialFolder::Programs:
            return CSIDL_PROGRAMS;
        case SpecialFolder::Desktop:
            return CSIDL_DESKTOPDIRECTORY;
    }
    return CSIDL_PROGRAM_FILES;
}

// IPersistFile takes the file name in UTF-16; ours are in the system code page.
// Closed by a 0. A vector rather than std::wstring: the wide string would
// bring the whole of its run-time instantiation into the setup.
std::vector<wchar_t> Wide(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::vector<wchar_t>(1, L'\0');
    std::vector<wchar_t> wide(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    return wide;
}

}  // namespace

std::optional<std::string> Win32Shell::FolderPath(SpecialFolder folder) {
    char path[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, Csidl(folder), nullptr, 0, path) != 0) return std::nullopt;
    std::string result = path;
    // A root keeps its backslash: "C:" alone would mean the current folder there.
    while (result.size() > 3 && EndsWithBackslash(result, SystemLeadBytes)) result.pop_back();
    return result;
}

void Win32Shell::CreateShortcut(const std::string& target, const std::string& linkFile,
                                const std::string& description, int iconIndex,
                                const std::string& arguments) {
    void* object = nullptr;
    const HRESULT created = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IShellLinkA, &object);
    if (FAILED(created) || !object) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(created));
        throw Exception(std::string("Cannot create the shell link object (") + code + ")");
    }
    const ComPtr<IShellLinkA> link(static_cast<IShellLinkA*>(object));
    // The shortcut is wanted but not essential: the statuses are not examined.
    link.Get()->SetArguments(arguments.c_str());
    link.Get()->SetDescription(description.c_str());
    if (IsWebAddress(target)) {
        // Given to SetPath, Wine takes a URL for a file name in the current
        // folder. The shell's item for the address is what Windows stores.
        const std::vector<BYTE> items = ShortcutItemListForUrl(target);
        link.Get()->SetIDList(reinterpret_cast<LPCITEMIDLIST>(items.data()));
    } else {
        link.Get()->SetPath(target.c_str());
    }
    if (iconIndex >= 0) link.Get()->SetIconLocation(target.c_str(), iconIndex);

    void* persist = nullptr;
    if (FAILED(link.Get()->QueryInterface(IID_IPersistFile, &persist)) || !persist) return;
    const ComPtr<IPersistFile> file(static_cast<IPersistFile*>(persist));
    file.Get()->Save(Wide(linkFile).data(), FALSE);
}

StartResult Win32Shell::Open(const std::string& what, bool asUser) {
    return processes_.Open(what, asUser);
}

}  // namespace torvane::platform::win32
