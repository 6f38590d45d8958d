#pragma once
#include <string>

namespace torvane {

// The SHA-256 digest (FIPS 180-4) of `bytes` as 64 lower-case hexadecimal
// digits. The setup records the digest of the uninstall list it wrote, and
// the uninstaller carries out only the list that still has it.
std::string Sha256Hex(const std::string& bytes);

}  // namespace torvane
