#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace torvane::testing {

inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower case or no hex digit: not what the encoder writes
}

// The query as a report server reads it: split at "&" and "=", then
// percent-decoded. Fails the test on a malformed escape.
inline std::vector<std::pair<std::string, std::string>> DecodeQuery(const std::string& query) {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string field = query.substr(start, end - start);
        const std::size_t eq = field.find('=');
        EXPECT_NE(eq, std::string::npos) << field;
        std::string value;
        for (std::size_t i = eq + 1; i < field.size(); ++i) {
            if (field[i] != '%') {
                value += field[i];
                continue;
            }
            const int high = i + 2 < field.size() ? HexValue(field[i + 1]) : -1;
            const int low = i + 2 < field.size() ? HexValue(field[i + 2]) : -1;
            EXPECT_TRUE(high >= 0 && low >= 0) << "bad escape in " << field;
            value += static_cast<char>(high * 16 + low);
            i += 2;
        }
        fields.emplace_back(field.substr(0, eq), value);
        start = end + 1;
    }
    return fields;
}

// The decoded value of `key` in the query of `url` (after the first "?").
inline std::string QueryValue(const std::string& url, const std::string& key) {
    const std::size_t question = url.find('?');
    for (const auto& [name, value] : DecodeQuery(url.substr(question + 1)))
        if (name == key) return value;
    ADD_FAILURE() << "no " << key << " in " << url;
    return {};
}

}  // namespace torvane::testing
