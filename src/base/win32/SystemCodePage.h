#pragma once
#include "base/PathNames.h"
#include "base/win32/WinHeaders.h"

namespace torvane::platform::win32 {

// The active code page's rule for double-byte characters (IsDBCSLeadByte,
// the rule CharNextA follows), as the LeadByte the path functions take.
inline bool SystemLeadBytes(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

}  // namespace torvane::platform::win32
