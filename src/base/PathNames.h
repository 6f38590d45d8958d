#pragma once
#include <string>
#include <vector>

// The shapes of Windows path names that the setup and the carried uninstaller
// judge alike: what one refuses to write, the other refuses to carry out.
namespace torvane {

// Whether a byte opens a two-byte character in the active ANSI code page.
// The second byte of such a character may be 0x5C, the byte of "\" (as in
// Japanese and Chinese code pages), so paths are split by character, never
// by byte. The Win32 programs ask the system (IsDBCSLeadByte, the rule
// CharNextA follows); a single-byte code page has none.
using LeadByte = bool (*)(unsigned char);
bool NoLeadBytes(unsigned char);

// The byte offsets of the "\" characters of `text`, in order.
std::vector<std::size_t> BackslashOffsets(const std::string& text, LeadByte isLead);
// The offset of the last "\" character of `text`, or npos.
std::size_t LastBackslash(const std::string& text, LeadByte isLead);
// `text` cut at every "\" character (empty pieces kept).
std::vector<std::string> SplitAtBackslashes(const std::string& text, LeadByte isLead);

// The non-empty parts of a drive path below its root ("C:\a\b\" -> a, b).
std::vector<std::string> PathParts(const std::string& drivePath, LeadByte isLead = NoLeadBytes);

// True for the names Windows opens as devices whatever the folder: CON, PRN,
// AUX, NUL, COM0-9, LPT0-9 (and their superscript forms), CONIN$, CONOUT$,
// CLOCK$, also with an extension or trailing blanks ("NUL.txt", "CON ").
bool IsDeviceName(const std::string& name);

// True for a name in the 8.3 short form Windows makes up: a "~" followed by
// digits before the extension ("PROGRA~1", "TORVAN~2.EXE").
bool IsShortName(const std::string& name);

}  // namespace torvane
