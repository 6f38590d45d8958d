#include "platform/win32/UrlItemList.h"

#include <cctype>
#include <cstring>
#include <memory>

namespace torvane::platform::win32 {

namespace {

// The Internet folder, {871C5380-42A0-1069-A2EA-08002B30309D}.
constexpr GUID kInternetFolder = {
    0x871C5380, 0x42A0, 0x1069, {0xA2, 0xEA, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};

// A desktop item naming a folder by class: size, type 0x1F, sort index, CLSID.
constexpr BYTE kRootItemType = 0x1F;
constexpr BYTE kInternetSortIndex = 0x68;
constexpr WORD kRootItemSize = 2 + 1 + 1 + sizeof(GUID);

// An item of the Internet folder: size, type 0x61, flags (0x80: the address
// is UTF-16), four zero bytes, the address with its terminating zero.
constexpr BYTE kUrlItemType = 0x61;
constexpr BYTE kUrlItemUnicode = 0x80;
constexpr WORD kUrlItemHeader = 2 + 1 + 1 + 4;

void PutWord(std::vector<BYTE>& bytes, WORD value) {
    bytes.push_back(static_cast<BYTE>(value & 0xFF));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

WORD WordAt(const BYTE* at) { return static_cast<WORD>(at[0] | (at[1] << 8)); }

bool IsInternetRoot(const BYTE* item) {
    GUID clsid;
    if (WordAt(item) != kRootItemSize || item[2] != kRootItemType) return false;
    std::memcpy(&clsid, item + 4, sizeof clsid);
    return ::IsEqualGUID(clsid, kInternetFolder) != FALSE;
}

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

}  // namespace

bool IsWebAddress(const std::string& target) {
    const std::size_t colon = target.find("://");
    if (colon == std::string::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!std::isalpha(static_cast<unsigned char>(target[i]))) return false;
    return true;
}

std::vector<BYTE> UrlItemList(const std::string& url) {
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 1), L'\0');
    if (wideLength > 0) ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, wide.data(), wideLength);

    std::vector<BYTE> bytes;
    PutWord(bytes, kRootItemSize);
    bytes.push_back(kRootItemType);
    bytes.push_back(kInternetSortIndex);
    const BYTE* clsid = reinterpret_cast<const BYTE*>(&kInternetFolder);
    bytes.insert(bytes.end(), clsid, clsid + sizeof(GUID));

    PutWord(bytes, static_cast<WORD>(kUrlItemHeader + wide.size() * sizeof(wchar_t)));
    bytes.push_back(kUrlItemType);
    bytes.push_back(kUrlItemUnicode);
    bytes.insert(bytes.end(), 4, 0);
    for (wchar_t c : wide) PutWord(bytes, static_cast<WORD>(c));
    PutWord(bytes, 0);  // end of the list
    return bytes;
}

std::optional<std::string> UrlOfItemList(LPCITEMIDLIST list) {
    if (!list) return std::nullopt;
    const BYTE* item = reinterpret_cast<const BYTE*>(list);
    if (!IsInternetRoot(item)) return std::nullopt;
    item += kRootItemSize;
    const WORD size = WordAt(item);
    if (size <= kUrlItemHeader || item[2] != kUrlItemType) return std::nullopt;
    const BYTE* text = item + kUrlItemHeader;
    const std::size_t room = size - kUrlItemHeader;
    if (item[3] & kUrlItemUnicode) {
        // A vector, not std::wstring: that would bring the wide string's whole
        // run-time instantiation into the setup.
        std::vector<wchar_t> wide;
        for (std::size_t i = 0; i + 1 < room && WordAt(text + i) != 0; i += 2)
            wide.push_back(static_cast<wchar_t>(WordAt(text + i)));
        if (wide.empty()) return std::string();
        const int length = ::WideCharToMultiByte(
            CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string url(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
        if (length > 0)
            ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), url.data(),
                                  length, nullptr, nullptr);
        return url;
    }
    const char* ansi = reinterpret_cast<const char*>(text);
    return std::string(ansi, strnlen(ansi, room));
}

std::vector<BYTE> ShortcutItemListForUrl(const std::string& url) {
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, nullptr, 0);
    if (wideLength > 0) {
        std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
        ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, wide.data(), wideLength);
        PIDLIST_ABSOLUTE parsed = nullptr;
        if (SUCCEEDED(::SHParseDisplayName(wide.data(), nullptr, &parsed, 0, nullptr)) && parsed) {
            const std::unique_ptr<ITEMIDLIST, ItemListFree> owned(parsed);
            // Windows' parse. Anything but an Internet-folder item (a file of
            // that odd name on the desktop, say) is not taken.
            if (IsInternetRoot(reinterpret_cast<const BYTE*>(parsed))) {
                const BYTE* begin = reinterpret_cast<const BYTE*>(parsed);
                return std::vector<BYTE>(begin, begin + ::ILGetSize(parsed));
            }
        }
    }
    return UrlItemList(url);
}

}  // namespace torvane::platform::win32
