#pragma once
#include <string>
#include <vector>

// Text helpers shared by the setup and the carried programs. Letter case is
// ASCII only (A-Z, a-z), the way file and switch names are compared here: no
// locale, no code page, so a byte above 127 is never changed.
namespace torvane {

// A blank is any character up to and including the space (control characters too).
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Removes blanks from both ends.
std::string Trim(const std::string& text);

char LowerChar(char c);
char UpperChar(char c);
std::string LowerCase(const std::string& text);
std::string UpperCase(const std::string& text);

// Equality with letter case ignored.
bool SameText(const std::string& a, const std::string& b);

// The pieces between the separators, empty ones included: "a,,b" gives "a",
// "", "b". Byte by byte: for a separator that can never be the second byte of
// a double-byte character (a line end, an ASCII key name's backslash).
std::vector<std::string> SplitAt(const std::string& text, char separator);

}  // namespace torvane
