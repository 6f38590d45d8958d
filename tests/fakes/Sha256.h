#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace torvane::testing {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits, for tests that
// hold a written file to a recorded fingerprint.
std::string Sha256Hex(const std::vector<std::uint8_t>& bytes);

}  // namespace torvane::testing
