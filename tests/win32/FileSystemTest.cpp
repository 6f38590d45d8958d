// The file layer (Win32FileSystem) and payload extraction against Wine's real
// file system: replacing files, files in use, and a full disk.
//
// The full-disk cases need a drive backed by a tiny tmpfs; run.sh mounts one
// and names its root in TORVANE_FULL_DRIVE (e.g. "F:\"). Run on their own,
// those cases fail and say so.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#include "Fixture.h"
#include "base/Exceptions.h"
#include "base/win32/UniqueHandle.h"
#include "payload/ExtractPayload.h"
#include "platform/win32/Win32FileSystem.h"

// clang-format off
#include <aclapi.h>
#include <sddl.h>
// clang-format on

using namespace torvane;
using platform::FileSystem;
using platform::win32::OwnFolderSecurity;
using platform::win32::UniqueKernelHandle;
using platform::win32::Win32FileSystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kErrorSharingViolation = 32;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorDiskFull = 112;

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(platform::FileSystem& files, const std::string& path, const Bytes& data) {
    auto file = files.CreateFile(path);
    file->Write(data.data(), data.size());
    file->Close();
}

// Deterministic bytes that deflate hardly shrinks at all.
Bytes Noise(std::size_t size, std::uint32_t seed) {
    Bytes data(size);
    for (auto& byte : data) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    return data;
}

// A payload table made the way tools/packer makes one: zlib at level 9, cut
// into 1024-byte chunks, the last one filled up with zeros.
struct TestPayload {
    explicit TestPayload(Bytes data) : original(std::move(data)) {
        uLongf size = compressBound(original.size());
        Bytes stream(size);
        if (compress2(stream.data(), &size, original.data(), original.size(), Z_BEST_COMPRESSION) !=
            Z_OK)
            throw std::runtime_error("compress2 failed");
        chunks.assign((size + kPayloadChunkSize - 1) / kPayloadChunkSize * kPayloadChunkSize, 0);
        std::copy(stream.begin(), stream.begin() + size, chunks.begin());
        table = {reinterpret_cast<const std::uint8_t(*)[kPayloadChunkSize]>(chunks.data()),
                 static_cast<int>(chunks.size() / kPayloadChunkSize),
                 static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(original.size())};
    }
    Bytes original;
    Bytes chunks;
    PayloadTable table{};
};

// A fresh folder under the temporary folder; removed with its files.
class TempFolder {
public:
    TempFolder() {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "torvane_fs_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA(At(found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string At(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Opens a file for reading and shares nothing, as another program holding it
// would.
UniqueKernelHandle HoldWithoutSharing(const std::string& path) {
    return UniqueKernelHandle(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The message extraction gives when `target` cannot be replaced for `error`.
std::string CannotCreate(Win32FileSystem& files, const std::string& target, int error) {
    return "Cannot create file \"" + target + "\". " + files.ErrorText(error);
}

// Runs the extraction and returns the message of the EFCreateError it raised
// ("" when it raised none).
std::string ExtractionCreateError(const TestPayload& payload, const std::string& target,
                                  Win32FileSystem& files) {
    win32test::Fixture fixture;
    try {
        ExtractChunkedPayload(payload.table, target, {files, {}});
    } catch (const EFCreateError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(FileSystem, FileSystemWritesReplacesAndDeletes) {
    TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.At("Torvane.exe");
    const std::string next = folder.At("Torvane.exe.new");

    WriteAll(files, target, Noise(5000, 1));
    WriteAll(files, target, Bytes{'o', 'l', 'd'});  // creating truncates what was there
    EXPECT_TRUE(ReadAll(target) == (Bytes{'o', 'l', 'd'}));

    const Bytes fresh = Noise(70000, 2);
    WriteAll(files, next, fresh);
    EXPECT_EQ(files.ReplaceFile(next, target), 0);
    EXPECT_TRUE(ReadAll(target) == fresh);
    EXPECT_TRUE(!Exists(next));

    EXPECT_TRUE(files.DeleteFile(target));
    EXPECT_TRUE(!Exists(target));
    EXPECT_TRUE(!files.DeleteFile(target));

    std::string message;
    const std::string missing = folder.At("no such folder\\a.exe");
    try {
        files.CreateFile(missing);
    } catch (const EFCreateError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, CannotCreate(files, missing, ERROR_PATH_NOT_FOUND));
}

TEST(FileSystem, FileSystemErrorTextsDropTheFullStop) {
    Win32FileSystem files;
    // Windows' texts, then Wine's.
    const std::string denied = files.ErrorText(kErrorAccessDenied);
    EXPECT_TRUE(denied == "Access is denied" || denied == "Access denied");
    const std::string sharing = files.ErrorText(kErrorSharingViolation);
    EXPECT_TRUE(
        sharing ==
            "The process cannot access the file because it is being used by another process" ||
        sharing == "Sharing violation");
    EXPECT_EQ(files.ErrorText(0x2000FFFF), std::string("System error 536936447"));
    std::cout << "  ErrorText(5) = \"" << denied << "\", ErrorText(32) = \"" << sharing << "\"\n";
}

// The fakes resolve a path's text as ResolvePathText does; the system must
// agree where nothing on the path exists, and expand the 8.3 alias Wine
// gives a folder with a long name.
TEST(FileSystem, FullLongPathResolvesTheTextAndExpandsShortNames) {
    Win32FileSystem files;
    for (const char* text : {"C:\\NoSuch\\..\\Torvane P2P", "C:\\NoSuch\\.\\x\\", "C:\\..\\..\\x",
                             "C:\\NoSuch\\Torvane P2P.", "C:\\NoSuch\\Torvane P2P . .",
                             "C:\\NoSuch \\x", "C:\\NoSuch\\..", "C:\\NoSuch/b//c"}) {
        const std::optional<std::string> real = files.FullLongPath(text);
        const std::optional<std::string> modelled = platform::ResolvePathText(text);
        EXPECT_TRUE(real.has_value());
        EXPECT_EQ(real.value_or("(nothing)"), modelled.value_or("(nothing)"));
    }

    TempFolder folder;
    const std::string longFolder = folder.At("Long Folder Name");
    EXPECT_TRUE(::CreateDirectoryA(longFolder.c_str(), nullptr));
    char shortName[MAX_PATH] = "";
    const DWORD size = ::GetShortPathNameA(longFolder.c_str(), shortName, MAX_PATH);
    const std::string alias(shortName, size);
    std::cout << "  " << longFolder << " is also " << alias << "\n";
    EXPECT_TRUE(size > 0 && alias != longFolder);
    EXPECT_EQ(files.FullLongPath(alias).value_or("(nothing)"), longFolder);
    EXPECT_EQ(files.FullLongPath(alias + "\\New\\Deeper\\").value_or("(nothing)"),
              longFolder + "\\New\\Deeper\\");
    EXPECT_EQ(files.FullLongPath(alias + "\\..\\Long Folder Name\\x. ").value_or("(nothing)"),
              longFolder + "\\x");
    ::RemoveDirectoryA(longFolder.c_str());
}

// Wine keeps no access-control list on files: what a folder was made with
// cannot be read back. So the descriptor asked for is checked as Windows
// parses it, and the calls that make and judge the folder are run for real.
TEST(FileSystem, TheInstallationFolderIsMadeWithRightsOfItsOwnAndJudgedThroughHandles) {
    const std::string sddl = OwnFolderSecurity("S-1-5-21-1-2-3-1001");
    PSECURITY_DESCRIPTOR security = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        sddl.c_str(), SDDL_REVISION_1, &security, nullptr));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    EXPECT_TRUE(::GetSecurityDescriptorControl(security, &control, &revision));
    EXPECT_TRUE(control & SE_DACL_PROTECTED);  // nothing inherited from the drive root
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted) && dacl);
    struct Expected {
        WELL_KNOWN_SID_TYPE who;
        DWORD mask;
    } expected[] = {{WinLocalSystemSid, FILE_ALL_ACCESS},
                    {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
                    {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE},
                    {WinAuthenticatedUserSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    ASSERT_EQ(dacl->AceCount, 5);
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(::GetAce(dacl, i, &ace));
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_EQ(allowed->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
        PSID sid = &allowed->SidStart;
        if (i < 4) {
            EXPECT_TRUE(::IsWellKnownSid(sid, expected[i].who)) << i;
            EXPECT_EQ(allowed->Mask, expected[i].mask) << i;
        } else {  // the installing account of a setup without administrator rights
            char* text = nullptr;
            ASSERT_TRUE(::ConvertSidToStringSidA(sid, &text));
            EXPECT_EQ(std::string(text), "S-1-5-21-1-2-3-1001");
            ::LocalFree(text);
            EXPECT_EQ(allowed->Mask, static_cast<DWORD>(FILE_ALL_ACCESS));
        }
    }
    ::LocalFree(security);
    EXPECT_EQ(OwnFolderSecurity("").find("S-1-5-21"), std::string::npos);

    Win32FileSystem files;
    TempFolder folder;
    const std::string own = files.FullLongPath(folder.At("Own Folder")).value_or("?");
    EXPECT_EQ(files.CreateOwnFolder(own), 0);
    EXPECT_EQ(files.CreateOwnFolder(own), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(files.FinalPath(own).value_or("(nothing)"), own);
    EXPECT_EQ(files.FinalPath(own + "\\Missing"), std::nullopt);
    // Made by this process: its owner is one the folder panel accepts.
    const FileSystem::Owner owner = files.OwnerOf(own);
    std::cout << "  owner of a folder made here: " << static_cast<int>(owner) << "\n";
    EXPECT_TRUE(owner == FileSystem::Owner::InstallingAccount ||
                owner == FileSystem::Owner::Administrators);
    EXPECT_EQ(files.OwnerOf(own + "\\Missing"), FileSystem::Owner::Unknown);
    { std::ofstream(own + "\\UnInstall.dat", std::ios::binary) << "Torvane P2P\r\n<Ex>\r\n"; }
    EXPECT_EQ(files.ReadHead(own + "\\UnInstall.dat", 13).value_or("(nothing)"), "Torvane P2P\r\n");
    EXPECT_EQ(files.ReadHead(own + "\\Missing", 13), std::nullopt);
    ::DeleteFileA((own + "\\UnInstall.dat").c_str());
    ::RemoveDirectoryA(own.c_str());
}

TEST(FileSystem, ExtractionExtractsIntoARealFile) {
    TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.At("Torvane.exe");
    WriteAll(files, target, Bytes{'o', 'l', 'd'});
    const TestPayload payload(Noise(200000, 3));
    EXPECT_EQ(ExtractionCreateError(payload, target, files), std::string());
    EXPECT_TRUE(ReadAll(target) == payload.original);
    EXPECT_TRUE(!Exists(target + ".new"));
}

TEST(FileSystem, ExtractionDoesNotReplaceAFileHeldWithoutSharing) {
    TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.At("Torvane.exe");
    const Bytes old = Noise(3000, 4);
    WriteAll(files, target, old);
    const TestPayload payload(Noise(50000, 5));
    {
        const UniqueKernelHandle held = HoldWithoutSharing(target);
        ASSERT_TRUE(held);
        const std::string next = folder.At("other.new");
        WriteAll(files, next, Noise(10, 6));
        // 5 (access denied), not 32: Wine's server refuses to move a file
        // over any file that is open, whatever its share mode.
        const int error = files.ReplaceFile(next, target);
        EXPECT_EQ(error, kErrorAccessDenied);
        files.DeleteFile(next);

        EXPECT_EQ(ExtractionCreateError(payload, target, files),
                  CannotCreate(files, target, error));
        EXPECT_TRUE(!Exists(target + ".new"));
    }
    EXPECT_TRUE(ReadAll(target) == old);
}

// The read-only attribute is set, read and taken off through the file layer,
// and the extraction leaves such a program replaced and plain. (Windows
// refuses to move a file over a read-only one with 5; Wine 8 moves it all
// the same, so the refusal itself is covered by the unit tests' fakes.)
TEST(FileSystem, ExtractionReplacesAReadOnlyTarget) {
    TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.At("Torvane.exe");
    WriteAll(files, target, Bytes{'o', 'l', 'd'});
    ASSERT_TRUE(files.SetAttributes(target, platform::kAttributeReadOnly) == 0);
    EXPECT_TRUE(files.Attributes(target).value_or(0) & platform::kAttributeReadOnly);
    EXPECT_TRUE(platform::ClearReadOnly(files, target));
    EXPECT_TRUE(!(files.Attributes(target).value_or(platform::kAttributeReadOnly) &
                  platform::kAttributeReadOnly));
    ASSERT_TRUE(files.SetAttributes(target, platform::kAttributeReadOnly) == 0);

    const TestPayload payload(Noise(6000, 9));
    EXPECT_EQ(ExtractionCreateError(payload, target, files), std::string());
    EXPECT_TRUE(ReadAll(target) == payload.original);
    EXPECT_TRUE(!(files.Attributes(target).value_or(platform::kAttributeReadOnly) &
                  platform::kAttributeReadOnly));
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);  // for the clean-up either way
}

TEST(FileSystem, ExtractionNamesTheTargetWhenItsWorkFileIsHeld) {
    TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.At("Torvane.exe");
    WriteAll(files, target, Bytes{'o', 'l', 'd'});
    WriteAll(files, target + ".new", Bytes{'x'});
    const UniqueKernelHandle held = HoldWithoutSharing(target + ".new");
    ASSERT_TRUE(held);
    EXPECT_EQ(ExtractionCreateError(TestPayload(Noise(4000, 7)), target, files),
              CannotCreate(files, target, kErrorSharingViolation));
    EXPECT_TRUE(ReadAll(target) == (Bytes{'o', 'l', 'd'}));
}

// A running program: this test program itself. Its image is mapped from its
// file, which Windows and Wine refuse to replace (5, access denied), while a
// plain open file would give 32. No helper process to start, wait for or stop.
TEST(FileSystem, ExtractionDoesNotReplaceARunningProgram) {
    Win32FileSystem files;
    char own[MAX_PATH];
    ASSERT_TRUE(::GetModuleFileNameA(nullptr, own, MAX_PATH) > 0);
    const std::string self = own;
    const Bytes image = ReadAll(self);
    ASSERT_TRUE(!image.empty());

    // Beside the program, so the move is a rename on the same drive.
    const std::string next = self + ".other";
    WriteAll(files, next, Noise(10, 8));
    EXPECT_EQ(files.ReplaceFile(next, self), kErrorAccessDenied);
    files.DeleteFile(next);

    EXPECT_EQ(ExtractionCreateError(TestPayload(Noise(20000, 9)), self, files),
              CannotCreate(files, self, kErrorAccessDenied));
    EXPECT_TRUE(!Exists(self + ".new"));
    EXPECT_TRUE(ReadAll(self) == image);
}

// --- a full disk -------------------------------------------------------------

namespace {

// The root of the tiny drive run.sh mounts ("F:\"); stops the case when the
// harness did not provide one (gtest reports the exception as the failure).
std::string FullDriveRoot() {
    const char* root = std::getenv("TORVANE_FULL_DRIVE");
    if (!root || !*root)
        throw std::runtime_error(
            "TORVANE_FULL_DRIVE is not set: run through tests/win32/run.sh, which mounts a "
            "small tmpfs as a drive (needs root)");
    return root;
}

std::uint64_t FreeBytes(const std::string& root) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return 0;
    return available.QuadPart;
}

}  // namespace

// What the layer's write loop is for. Observed with Wine 8.0 on a 256 KiB
// tmpfs: WriteFile of 1 MiB returns TRUE having written only what fitted
// (about the free space), and the next WriteFile returns FALSE with 112. If
// this case fails, Wine changed: update docs/win32-layer.md ("Files").
TEST(FileSystem, WineWriteFileOnAFullDiskSucceedsShortThenFails) {
    const std::string root = FullDriveRoot();
    const std::string path = root + "raw.bin";
    const std::uint64_t before = FreeBytes(root);
    ASSERT_TRUE(before > 0 && before < 1024 * 1024);
    const Bytes data = Noise(1024 * 1024, 10);
    {
        UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD first = 0;
        const BOOL firstOk =
            ::WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &first, nullptr);
        const DWORD firstError = firstOk ? 0 : ::GetLastError();
        DWORD second = 0;
        const BOOL secondOk =
            ::WriteFile(file.Get(), data.data() + first, static_cast<DWORD>(data.size() - first),
                        &second, nullptr);
        const DWORD secondError = secondOk ? 0 : ::GetLastError();
        std::cout << "  free " << before << "; WriteFile(1 MiB): " << (firstOk ? "TRUE" : "FALSE")
                  << ", " << first << " written, error " << firstError
                  << "; again: " << (secondOk ? "TRUE" : "FALSE") << ", " << second
                  << " written, error " << secondError << "\n";
        EXPECT_TRUE(firstOk);
        EXPECT_TRUE(first > 0 && first < data.size());
        EXPECT_TRUE(!secondOk);
        EXPECT_EQ(secondError, static_cast<DWORD>(kErrorDiskFull));
    }
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
    EXPECT_EQ(FreeBytes(root), before);
}

TEST(FileSystem, FileSystemWriteOnAFullDiskRaisesIOError112) {
    const std::string root = FullDriveRoot();
    Win32FileSystem files;
    const std::string path = root + "big.bin";
    const std::uint64_t before = FreeBytes(root);
    ASSERT_TRUE(before > 0 && before < 1024 * 1024);
    const Bytes data = Noise(1024 * 1024, 11);
    int code = 0;
    std::string message;
    {
        auto file = files.CreateFile(path);
        try {
            file->Write(data.data(), data.size());
        } catch (const EInOutError& e) {
            code = e.Code();
            message = e.what();
        }
    }
    EXPECT_EQ(code, kErrorDiskFull);
    EXPECT_EQ(message, std::string("I/O error 112"));
    EXPECT_TRUE(files.DeleteFile(path));
    EXPECT_EQ(FreeBytes(root), before);
}

TEST(FileSystem, ExtractionOnAFullDiskKeepsTheOldTargetAndGivesTheSpaceBack) {
    const std::string root = FullDriveRoot();
    Win32FileSystem files;
    const std::string target = root + "Torvane.exe";
    const Bytes old = Noise(16 * 1024, 12);
    WriteAll(files, target, old);
    const std::uint64_t before = FreeBytes(root);
    // Just over the free space, so the last write is the one Wine cuts short:
    // taken as complete, it would put a truncated file over the old one.
    const TestPayload payload(Noise(static_cast<std::size_t>(before) + 4096, 13));

    int code = 0;
    std::string message;
    {
        win32test::Fixture fixture;
        const DWORD start = ::GetTickCount();
        try {
            ExtractChunkedPayload(payload.table, target, {files, {}});
        } catch (const EInOutError& e) {
            code = e.Code();
            message = e.what();
        }
        std::cout << "  extraction stopped after " << ::GetTickCount() - start << " ms\n";
    }
    EXPECT_EQ(code, kErrorDiskFull);
    EXPECT_EQ(message, std::string("I/O error 112"));
    EXPECT_TRUE(ReadAll(target) == old);
    EXPECT_TRUE(!Exists(target + ".new"));
    EXPECT_EQ(FreeBytes(root), before);
    files.DeleteFile(target);
}
