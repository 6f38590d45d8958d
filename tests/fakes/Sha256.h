#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Sha256.h"

namespace torvane::testing {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits, for tests that
// hold a written file to a recorded fingerprint.
inline std::string Sha256Hex(const std::vector<std::uint8_t>& bytes) {
    return ::torvane::Sha256Hex(std::string(bytes.begin(), bytes.end()));
}

}  // namespace torvane::testing
