#include "base/PathNames.h"

#include <cstring>

#include "base/Text.h"

namespace torvane {

namespace {

bool IsDigitOrSuperscript(char c) {
    // Windows also opens COM¹, COM², COM³ (Windows-1252 0xB9, 0xB2, 0xB3) as devices.
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

}  // namespace

bool NoLeadBytes(unsigned char) { return false; }

std::vector<std::size_t> CharacterOffsets(const std::string& text, const char* set,
                                          LeadByte isLead) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\0' && std::strchr(set, text[i]))
            offsets.push_back(i);
        else if (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            ++i;  // its second byte is no character of its own
    }
    return offsets;
}

bool HasCharacterOf(const std::string& text, const char* set, LeadByte isLead) {
    return !CharacterOffsets(text, set, isLead).empty();
}

std::vector<std::size_t> BackslashOffsets(const std::string& text, LeadByte isLead) {
    return CharacterOffsets(text, "\\", isLead);
}

bool EndsWithBackslash(const std::string& text, LeadByte isLead) {
    return !text.empty() && LastBackslash(text, isLead) == text.size() - 1;
}

std::string WithBackslash(std::string text, LeadByte isLead) {
    if (!EndsWithBackslash(text, isLead)) text += '\\';
    return text;
}

bool IsUnspellableName(const std::string& name, LeadByte isLead) {
    return HasCharacterOf(name, "\\/?", isLead);
}

std::size_t LastBackslash(const std::string& text, LeadByte isLead) {
    const std::vector<std::size_t> offsets = BackslashOffsets(text, isLead);
    return offsets.empty() ? std::string::npos : offsets.back();
}

std::vector<std::string> SplitAtBackslashes(const std::string& text, LeadByte isLead) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t offset : BackslashOffsets(text, isLead)) {
        pieces.push_back(text.substr(start, offset - start));
        start = offset + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::vector<std::string> PathParts(const std::string& drivePath, LeadByte isLead) {
    std::vector<std::string> parts;
    if (drivePath.size() <= 3) return parts;
    for (std::string& part : SplitAtBackslashes(drivePath.substr(3), isLead))
        if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    base = UpperCase(base);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$" || base == "CLOCK$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           IsDigitOrSuperscript(base[3]);
}

bool IsShortName(const std::string& name) {
    const std::string base = name.substr(0, name.find('.'));
    const std::size_t tilde = base.find('~');
    if (tilde == std::string::npos || tilde == 0 || tilde + 1 >= base.size()) return false;
    for (std::size_t i = tilde + 1; i < base.size(); ++i)
        if (base[i] < '0' || base[i] > '9') return false;
    return true;
}

}  // namespace torvane
