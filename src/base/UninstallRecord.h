#pragma once
// What the setup records for the uninstaller in the uninstall key below
// HKEY_LOCAL_MACHINE, beside "DisplayName" and "UninstallString": the
// SHA-256 of the uninstall list exactly as written (UnInstall.dat, all its
// bytes), as 64 lower-case hexadecimal digits. The key is writable only by
// administrators, so a list that still has this digest is the one the setup
// wrote; the uninstaller carries out no other.
namespace torvane {

constexpr const char* kUninstallListDigestValue = "UninstallListSHA256";

}  // namespace torvane
