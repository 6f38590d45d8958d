#include "platform/win32/Win32FileSearch.h"

#include "base/win32/UniqueHandle.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

namespace {

// FindFirstFileA already hands over the first entry with the handle; it is
// kept until the first Next() asks for it.
class Win32Enumeration : public FileEnumeration {
public:
    explicit Win32Enumeration(const std::string& pattern)
        : handle_(::FindFirstFileA(pattern.c_str(), &found_)),
          pending_(static_cast<bool>(handle_)) {}

    bool Next(FoundEntry& entry) override {
        if (!handle_) return false;
        if (!pending_) {
            if (!::FindNextFileA(handle_.Get(), &found_)) {
                // Done or failed partway: either way nothing more comes.
                handle_.Reset();
                return false;
            }
        }
        pending_ = false;
        entry.name = found_.cFileName;
        entry.attributes = found_.dwFileAttributes;
        return true;
    }

private:
    WIN32_FIND_DATAA found_{};
    UniqueHandle<FindTraits> handle_;
    bool pending_;
};

}  // namespace

std::unique_ptr<FileEnumeration> Win32FileSearch::Enumerate(const std::string& pattern) {
    return std::make_unique<Win32Enumeration>(pattern);
}

int Win32FileSearch::CompareTextIgnoringCase(const std::string& a, const std::string& b) {
    const int result =
        ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                         b.data(), static_cast<int>(b.size()));
    // 0 means the call failed (never for valid arguments): fall back to the
    // order of the bytes so the sort still gets a consistent answer.
    if (result == 0) return a.compare(b);
    return result - CSTR_EQUAL;
}

std::string Win32FileSearch::CurrentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer, length);
}

}  // namespace torvane::platform::win32
