// Drives, special folders, shortcuts and the registry against Wine's real
// implementations.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>

#include "Fixture.h"
#include "base/Exceptions.h"
#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/UrlItemList.h"
#include "platform/win32/Win32Drives.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"

using namespace torvane;
using platform::SpecialFolder;
using platform::win32::ComPtr;
using win32test::RunOnAThreadOfItsOwn;

namespace {

std::string Environment(const char* name) {
    char value[512] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string TempFolder() {
    char temp[MAX_PATH];
    const DWORD length = ::GetTempPathA(MAX_PATH, temp);
    std::string path(temp, length);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// What IShellLinkA reads back from a saved .lnk file.
struct LoadedLink {
    bool loaded = false;
    std::string path, description, arguments, iconFile;
    int iconIndex = -1;
    std::optional<std::string> url;  // the web address its item list holds
};

LoadedLink LoadLink(const std::string& linkFile) {
    LoadedLink result;
    void* object = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  &object)))
        return result;
    const ComPtr<IShellLinkA> link(static_cast<IShellLinkA*>(object));
    void* persist = nullptr;
    if (FAILED(link.Get()->QueryInterface(IID_IPersistFile, &persist))) return result;
    const ComPtr<IPersistFile> file(static_cast<IPersistFile*>(persist));
    wchar_t wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH);
    if (FAILED(file.Get()->Load(wide, STGM_READ))) return result;
    result.loaded = true;
    char text[INFOTIPSIZE] = {};
    if (SUCCEEDED(link.Get()->GetPath(text, MAX_PATH, nullptr, 0))) result.path = text;
    text[0] = 0;
    if (SUCCEEDED(link.Get()->GetDescription(text, INFOTIPSIZE))) result.description = text;
    text[0] = 0;
    if (SUCCEEDED(link.Get()->GetArguments(text, INFOTIPSIZE))) result.arguments = text;
    text[0] = 0;
    if (SUCCEEDED(link.Get()->GetIconLocation(text, MAX_PATH, &result.iconIndex)))
        result.iconFile = text;
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link.Get()->GetIDList(&items)) && items) {
        result.url = platform::win32::UrlOfItemList(items);
        ::CoTaskMemFree(items);
    }
    return result;
}

// A registry value below HKEY_LOCAL_MACHINE as RegQueryValueExA gives it.
struct StoredValue {
    bool found = false;
    DWORD type = 0;
    std::string data;  // without the terminating zero
};

StoredValue ReadValue(const std::string& key, const std::string& name) {
    StoredValue value;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return value;
    char data[1024] = {};
    DWORD size = sizeof data;
    value.found = ::RegQueryValueExA(opened, name.c_str(), nullptr, &value.type,
                                     reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    ::RegCloseKey(opened);
    if (value.found && size > 0) value.data.assign(data, size - 1);
    return value;
}

}  // namespace

TEST(Shell, DrivesListTheLettersInUseWithTheirTypes) {
    platform::win32::Win32Drives drives;
    const std::vector<char> letters = drives.Letters();
    EXPECT_TRUE(std::find(letters.begin(), letters.end(), 'C') != letters.end());
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end()));
    EXPECT_TRUE(drives.TypeOf("C:\\") == platform::DriveType::Fixed);
    // A letter without a drive: the system has no root there.
    char unused = 0;
    for (char letter = 'Y'; letter > 'C' && !unused; --letter)
        if (std::find(letters.begin(), letters.end(), letter) == letters.end()) unused = letter;
    ASSERT_TRUE(unused != 0);
    EXPECT_TRUE(drives.TypeOf(std::string(1, unused) + ":\\") ==
                platform::DriveType::NoRootDirectory);
}

TEST(Shell, SpecialFoldersResolveToTheUsersFolders) {
    platform::win32::Win32Processes processes;
    platform::win32::Win32Shell shell{processes};
    const std::string user = Environment("USERNAME");
    ASSERT_TRUE(!user.empty());
    const std::string profile = "C:\\users\\" + user;
    const std::pair<SpecialFolder, std::string> expected[] = {
        {SpecialFolder::ProgramFiles, "C:\\Program Files"},
        {SpecialFolder::LocalAppData, profile + "\\AppData\\Local"},
        {SpecialFolder::Programs,
         profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
        {SpecialFolder::Desktop, profile + "\\Desktop"},
    };
    for (const auto& [folder, path] : expected) {
        const std::optional<std::string> found = shell.FolderPath(folder);
        ASSERT_TRUE(found.has_value());
        // Wine spells the user folder "users", Windows "Users": the file
        // system does not care.
        EXPECT_EQ(Lower(*found), Lower(path));
    }
}

TEST(Shell, ShortcutsReadBackWithTargetDescriptionArgumentsAndIcon) {
    platform::win32::ComApartment com;
    ASSERT_TRUE(SUCCEEDED(com.Result()));
    platform::win32::Win32Processes processes;
    platform::win32::Win32Shell shell{processes};
    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string target = self;
    const std::string withIcon = TempFolder() + "\\Torvane P2P.lnk";
    const std::string withoutIcon = TempFolder() + "\\No Icon.lnk";

    shell.CreateShortcut(target, withIcon, "Torvane P2P file sharing", 2,
                         "/autoupdate \"C:\\A B\"");
    shell.CreateShortcut(target, withoutIcon, "plain", -1, "");
    const LoadedLink loaded = LoadLink(withIcon);
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(Lower(loaded.path), Lower(target));
    EXPECT_EQ(loaded.description, std::string("Torvane P2P file sharing"));
    EXPECT_EQ(loaded.arguments, std::string("/autoupdate \"C:\\A B\""));
    EXPECT_EQ(Lower(loaded.iconFile), Lower(target));
    EXPECT_EQ(loaded.iconIndex, 2);

    const LoadedLink plain = LoadLink(withoutIcon);
    ASSERT_TRUE(plain.loaded);
    EXPECT_EQ(plain.description, std::string("plain"));
    EXPECT_TRUE(plain.iconFile.empty());
    ::DeleteFileA(withIcon.c_str());
    ::DeleteFileA(withoutIcon.c_str());
}

TEST(Shell, WebShortcutsHoldTheAddressNotAFile) {
    platform::win32::ComApartment com;
    ASSERT_TRUE(SUCCEEDED(com.Result()));
    platform::win32::Win32Processes processes;
    platform::win32::Win32Shell shell{processes};
    const std::string pages[] = {"http://www.torvane.example/p2p/",
                                 "http://www.torvane.example/p2p/help/",
                                 "https://mirror.torvane.example/a%20b?x=1&y=2"};
    for (const std::string& page : pages) {
        const std::string file = TempFolder() + "\\Web.lnk";
        shell.CreateShortcut(page, file, "Torvane P2P On the web", -1, "");
        const LoadedLink loaded = LoadLink(file);
        ASSERT_TRUE(loaded.loaded);
        EXPECT_TRUE(loaded.url.has_value());
        EXPECT_EQ(loaded.url.value_or(""), page);
        // Taken as a file name, the address would come back as a path.
        EXPECT_TRUE(loaded.path.find("http") == std::string::npos);
        EXPECT_EQ(loaded.description, std::string("Torvane P2P On the web"));
        ::DeleteFileA(file.c_str());
    }
    // A file target keeps its path and holds no address.
    const std::string file = TempFolder() + "\\File.lnk";
    shell.CreateShortcut("C:\\windows\\notepad.exe", file, "d", 0, "");
    const LoadedLink plain = LoadLink(file);
    EXPECT_EQ(Lower(plain.path), std::string("c:\\windows\\notepad.exe"));
    EXPECT_TRUE(!plain.url.has_value());
    ::DeleteFileA(file.c_str());
}

TEST(Shell, WebAddressesAndTheirItemLists) {
    using platform::win32::IsWebAddress;
    const std::pair<const char*, bool> targets[] = {
        {"http://www.torvane.example/p2p/", true},
        {"https://x.example/", true},
        {"ftp://x.example", true},
        {"C:\\Program Files\\Torvane P2P\\Torvane.Exe", false},
        {"mailto:support@torvane.example", false},
        {"\\\\server\\share", false},
        {"a://x", false},
        {"", false}};
    for (const auto& [target, web] : targets) EXPECT_EQ(IsWebAddress(target), web);

    const std::vector<BYTE> items = platform::win32::UrlItemList("http://www.torvane.example/p2p/");
    EXPECT_EQ(::ILGetSize(reinterpret_cast<LPCITEMIDLIST>(items.data())),
              static_cast<UINT>(items.size()));
    EXPECT_EQ(
        platform::win32::UrlOfItemList(reinterpret_cast<LPCITEMIDLIST>(items.data())).value_or(""),
        std::string("http://www.torvane.example/p2p/"));
    // A file's item list is no web address.
    PIDLIST_ABSOLUTE notepad = ::ILCreateFromPathA("C:\\windows\\notepad.exe");
    ASSERT_TRUE(notepad != nullptr);
    EXPECT_TRUE(!platform::win32::UrlOfItemList(notepad).has_value());
    ::ILFree(notepad);
}

TEST(Shell, ShortcutWithoutComRaisesAndSavesNothing) {
    // A thread of its own: this one may have COM from another case.
    const std::string link = TempFolder() + "\\No Com.lnk";
    std::string message;
    RunOnAThreadOfItsOwn([&] {
        try {
            platform::win32::Win32Processes processes;
            platform::win32::Win32Shell(processes).CreateShortcut("C:\\windows\\notepad.exe", link,
                                                                  "d", 0, "");
        } catch (const Exception& e) {
            message = e.what();
        }
    });
    EXPECT_TRUE(message.find("shell link") != std::string::npos);
    EXPECT_TRUE(::GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES);
}

TEST(Shell, RegistryStringsAreWrittenBelowLocalMachine) {
    const std::string key = "Software\\Torvane Layer Test\\Sub Key";
    platform::win32::Win32Registry registry;
    EXPECT_TRUE(
        registry.SetLocalMachineString(key, "InstallDir", "C:\\Program Files\\Torvane P2P"));
    EXPECT_TRUE(registry.SetLocalMachineString(key, "", "default value"));
    EXPECT_TRUE(registry.SetLocalMachineString(key, "InstallDir", "D:\\Other"));  // overwritten
    EXPECT_TRUE(registry.SetLocalMachineString(key, "Empty", ""));

    const StoredValue dir = ReadValue(key, "InstallDir");
    EXPECT_TRUE(dir.found);
    EXPECT_EQ(dir.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(dir.data, std::string("D:\\Other"));
    EXPECT_EQ(ReadValue(key, "").data, std::string("default value"));
    const StoredValue empty = ReadValue(key, "Empty");
    EXPECT_TRUE(empty.found);
    EXPECT_TRUE(empty.data.empty());

    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Torvane Layer Test");
    EXPECT_TRUE(!ReadValue(key, "InstallDir").found);
}
