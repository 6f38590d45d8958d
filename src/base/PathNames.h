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

// The byte offsets of the characters of `text` that are one of `set` (single
// bytes, never the second byte of a double-byte character), in order.
std::vector<std::size_t> CharacterOffsets(const std::string& text, const char* set,
                                          LeadByte isLead);
// Whether a character of `text` is one of `set`.
bool HasCharacterOf(const std::string& text, const char* set, LeadByte isLead);
// The byte offsets of the "\" characters of `text`, in order.
std::vector<std::size_t> BackslashOffsets(const std::string& text, LeadByte isLead);
// The offset of the last "\" character of `text`, or npos.
std::size_t LastBackslash(const std::string& text, LeadByte isLead);
// Whether the last character of `text` is a "\" (not the second byte of a
// double-byte character that ends it).
bool EndsWithBackslash(const std::string& text, LeadByte isLead);
// `text` with a "\" character put after it unless it ends with one.
std::string WithBackslash(std::string text, LeadByte isLead);
// `text` cut at every "\" character (empty pieces kept).
std::vector<std::string> SplitAtBackslashes(const std::string& text, LeadByte isLead);

// Whether a name a folder listing gave (FindFirstFileA, FindNextFileA) must
// never be acted on: it holds "\", "/" or "?", which the listing makes of a
// character the code page cannot show (best fit: a fullwidth backslash
// becomes "\"), so as part of a path it would name another file or none.
bool IsUnspellableName(const std::string& name, LeadByte isLead);

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
