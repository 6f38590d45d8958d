#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteString.h"

// URL scrambling: URL-like texts become short byte strings that do not read
// as text, and back.
//
// Two stages. The dictionary stage replaces every occurrence of each known
// fragment, in table order, by "Q" and a code character (a literal Q becomes
// "Q "); every text comes back unchanged from UnscrambleUrl. The packing stage writes every
// character as its six-bit code on one of five pages; each page above 0 costs
// one extra zero group before the code:
//
//   page 0: space . / 0-9 : A-X a-x \        6 bits
//   page 1: y z { | } ~ Y Z [ ] ^ _ ` ; < = > ? @ ! " # ... - 127..157   12 bits
//   page 2: bytes 158..220                   18 bits
//   page 3: bytes 221..255 and 4..31         24 bits
//   page 4: bytes 0..3                       30 bits
//
// Groups are packed most significant bit first; a last partial byte is filled
// with zero bits, which the unpacking reads as harmless page changes.
namespace torvane {

// The fragments, numbered 1..62, and their code characters (the 63rd code
// character, a space, escapes a literal Q).
extern const char* const UrlDictionary[62];
extern const char UrlCodeChars[64];

ByteString ScrambleUrl(const std::string& text);
// Never fails: a Q at the very end or followed by a character that is no code
// is kept as it stands.
std::string UnscrambleUrl(const ByteString& bytes);

// The page alphabet: every byte value has one (page, code) pair, code 1..63.
struct PageCode {
    int page;
    int code;
};
PageCode PageCodeOf(std::uint8_t value);

}  // namespace torvane
