#include "payload/LIB_qvURL.h"

#include <array>
#include <cstring>

namespace torvane {

// Longest first, so that a long fragment is replaced before the shorter ones
// it contains; no fragment holds a Q or lies inside a later one.
const char* const UrlDictionary[62] = {
    "report.torvane.example",
    "mirror.torvane.example",
    "count.torvane.example",
    "torvane.example/REMSET/",
    "/Install_Torvane.exe",
    "/TEL/INSTALL/CNTINST",
    "/TEL/GEBRUIK/CNTUSE",
    "www.torvane.example",
    "torvane.example",
    "/error/report",
    "http://www.",
    "https://",
    "http://",
    "download",
    ".example",
    "Torvane",
    "torvane",
    "support",
    "install",
    "INSTALL",
    "mirror",
    "report",
    "REMSET",
    "update",
    "/p2p/",
    "count",
    "error",
    "index",
    ".html",
    "setup",
    "files",
    "help",
    "mail",
    ".php",
    ".exe",
    ".rms",
    ".com",
    ".net",
    ".org",
    ".dat",
    "www.",
    "?T=",
    "&V=",
    "&A=",
    "&B=",
    "&C=",
    "&D=",
    "&E=",
    "&F=",
    "%22",
    "%5C",
    "%20",
    "%3A",
    "ing",
    "ion",
    "ent",
    "and",
    "the",
    "er/",
    "/TEL",
    "P2P",
    "p2p",
};

// No fragment begins with the code character of itself or of an earlier
// fragment. A match can then never start on a code character that an earlier
// replacement put in (nor on the space of an escaped Q, as no fragment begins
// with a space), so every text unscrambles to itself.
const char UrlCodeChars[64] = "ABCDEFGHJKLMNOdQTSUVIWrRuXcYZbsfhmgjklno.wqvxyz23456789i-ate_P ";

namespace {

constexpr char kEscape = 'Q';
constexpr int kPages = 5;
constexpr int kEscapeIndex = 62;  // the space at the end of the code characters

// (page, code) -> byte for pages 0..3; page 4 decodes arithmetically.
struct Alphabet {
    std::array<std::array<int, 64>, 4> byteOf{};
    Alphabet() {
        for (auto& page : byteOf) page.fill(-1);
        for (int value = 0; value < 256; ++value) {
            PageCode pc = PageCodeOf(static_cast<std::uint8_t>(value));
            if (pc.page < 4) byteOf[pc.page][pc.code] = value;
        }
    }
};

const Alphabet& TheAlphabet() {
    static const Alphabet alphabet;
    return alphabet;
}

class BitPacker {
public:
    void Put(int group) {
        for (int bit = 5; bit >= 0; --bit) {
            current_ = static_cast<std::uint8_t>((current_ << 1) | ((group >> bit) & 1));
            if (++filled_ == 8) {
                bytes_.push_back(current_);
                current_ = 0;
                filled_ = 0;
            }
        }
    }
    ByteString Finish() {
        if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(current_ << (8 - filled_)));
        return std::move(bytes_);
    }

private:
    ByteString bytes_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

int CodeIndex(char c) {
    const char* found = static_cast<const char*>(std::memchr(UrlCodeChars, c, 63));
    return found ? static_cast<int>(found - UrlCodeChars) : -1;
}

}  // namespace

PageCode PageCodeOf(std::uint8_t v) {
    if (v <= 3) return {4, v + 1};
    if (v <= 31) return {3, v + 32};
    if (v == 32) return {0, 1};
    if (v <= 45) return {1, v - 13};
    if (v <= 58) return {0, v - 44};
    if (v <= 64) return {1, v - 45};
    if (v <= 88) return {0, v - 50};
    if (v <= 91) return {1, v - 82};
    if (v == 92) return {0, 63};
    if (v <= 96) return {1, v - 83};
    if (v <= 120) return {0, v - 58};
    if (v <= 126) return {1, v - 120};
    if (v <= 157) return {1, v - 94};
    if (v <= 220) return {2, v - 157};
    return {3, v - 220};
}

ByteString ScrambleUrl(const std::string& text) {
    std::string work;
    work.reserve(text.size() + 8);
    for (char c : text) {
        work += c;
        if (c == kEscape) work += UrlCodeChars[kEscapeIndex];
    }
    // Each fragment in turn, for as long as it occurs, the leftmost occurrence
    // first. The search goes on after the inserted Q: nothing before it can
    // hold the fragment (fragments hold no Q), and the Q cannot start one.
    for (int k = 0; k < 62; ++k) {
        const std::size_t length = std::strlen(UrlDictionary[k]);
        const char code[] = {kEscape, UrlCodeChars[k]};
        for (std::size_t at = work.find(UrlDictionary[k]); at != std::string::npos;
             at = work.find(UrlDictionary[k], at + 1))
            work.replace(at, length, code, 2);
    }
    BitPacker packer;
    for (char c : work) {
        PageCode pc = PageCodeOf(static_cast<std::uint8_t>(c));
        for (int i = 0; i < pc.page; ++i) packer.Put(0);
        packer.Put(pc.code);
    }
    return packer.Finish();
}

std::string UnscrambleUrl(const ByteString& bytes) {
    const Alphabet& alphabet = TheAlphabet();
    std::string unpacked;
    int page = 0;
    int group = 0;
    int bits = 0;
    for (std::uint8_t byte : bytes) {
        for (int bit = 7; bit >= 0; --bit) {
            group = (group << 1) | ((byte >> bit) & 1);
            if (++bits < 6) continue;
            if (group == 0) {
                ++page;
            } else {
                if (page < 4)
                    unpacked += static_cast<char>(alphabet.byteOf[page][group]);
                else if (page == 4)
                    unpacked += static_cast<char>(group - 1);
                page = 0;
            }
            group = 0;
            bits = 0;
        }
    }
    static_assert(kPages == 5, "page 4 is the last page with characters");

    std::string text;
    text.reserve(unpacked.size() * 2);
    for (std::size_t i = 0; i < unpacked.size(); ++i) {
        if (unpacked[i] != kEscape || i + 1 >= unpacked.size()) {
            text += unpacked[i];
            continue;
        }
        const int index = CodeIndex(unpacked[i + 1]);
        if (index == kEscapeIndex)
            text += kEscape;
        else if (index >= 0)
            text += UrlDictionary[index];
        else {
            text += unpacked[i];
            continue;
        }
        ++i;
    }
    return text;
}

}  // namespace torvane
