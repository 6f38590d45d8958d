#include "base/PathNames.h"

#include "base/Text.h"

namespace torvane {

namespace {

bool IsDigitOrSuperscript(char c) {
    // Windows also opens COM¹, COM², COM³ (Windows-1252 0xB9, 0xB2, 0xB3) as devices.
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

}  // namespace

std::vector<std::string> PathParts(const std::string& drivePath) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 3; i <= drivePath.size(); ++i) {
        if (i < drivePath.size() && drivePath[i] != '\\') {
            part += drivePath[i];
            continue;
        }
        if (!part.empty()) parts.push_back(part);
        part.clear();
    }
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
