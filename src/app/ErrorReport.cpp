#include "app/ErrorReport.h"

#include "payload/LIB_qvURL.h"

namespace torvane {

namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string QuotedValue(const std::string& value) { return PercentEncode("\"" + value + "\""); }

}  // namespace

std::string PercentEncode(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (Unreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    return encoded;
}

std::string ErrorReportUrl(const std::string& baseUrl, const ErrorReportState& state) {
    std::string url = baseUrl + "T=Torvane" + "&V=" + "3";
    const std::pair<char, const std::string*> values[] = {
        {'A', &state.header},  {'B', &state.installDir},  {'C', &state.downloadDir},
        {'D', &state.workDir}, {'E', &state.userDataDir}, {'F', &state.message}};
    for (const auto& [key, value] : values) {
        url += '&';
        url += key;
        url += '=';
        url += QuotedValue(*value);
    }
    return url;
}

std::string ReportBaseUrl() { return UnscrambleUrl(ScrambledReportBaseUrl()); }

}  // namespace torvane
