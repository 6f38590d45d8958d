#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/ErrorReport.h"
#include "fakes/ReportQuery.h"

namespace torvane {
namespace {

using testing::DecodeQuery;

const std::string kBase = "http://127.0.0.1:8000/error/report.php?";

TEST(ErrorReportUrl, BeforeAnyFolderWasChosenSendsEmptyQuotedValues) {
    EXPECT_EQ(ErrorReportUrl(kBase, {"Welcome", "", "", "", "", "Access violation"}),
              kBase +
                  "T=Torvane&V=3&A=%22Welcome%22&B=%22%22&C=%22%22&D=%22%22&E=%22%22&F=%22Access%"
                  "20violation%22");
}

TEST(ErrorReportUrl, EncodesBackslashesAndBlanksOfTheFolders) {
    const ErrorReportState state{"Installing Torvane P2P",
                                 "C:\\Program Files\\Torvane P2P\\",
                                 "C:\\users\\me\\Downloads\\",
                                 "C:\\Program Files\\Torvane P2P\\",
                                 "C:\\users\\me\\AppData\\Local\\Torvane P2P\\",
                                 "I/O error 112"};
    EXPECT_EQ(ErrorReportUrl(kBase, state),
              kBase +
                  "T=Torvane&V=3&A=%22Installing%20Torvane%20P2P%22"
                  "&B=%22C%3A%5CProgram%20Files%5CTorvane%20P2P%5C%22"
                  "&C=%22C%3A%5Cusers%5Cme%5CDownloads%5C%22"
                  "&D=%22C%3A%5CProgram%20Files%5CTorvane%20P2P%5C%22"
                  "&E=%22C%3A%5Cusers%5Cme%5CAppData%5CLocal%5CTorvane%20P2P%5C%22"
                  "&F=%22I%2FO%20error%20112%22");
}

TEST(ErrorReportUrl, TheServerDecodesEveryValueToTheQuotedTextWhateverItHolds) {
    const std::string awkward[] = {
        "a&B=\"forged\"",           // would add a key and close the quote
        "C:\\x y\\\"q\"\\",         // backslashes and quotes
        "100% #1 + 2 = 3 ?/",       // characters with a meaning in URLs
        "caf\xE9 \xFF\x01\x7F",     // 8-bit and control bytes
        std::string("nul\0in", 6),  // an embedded zero byte
        "",
    };
    for (const std::string& value : awkward) {
        SCOPED_TRACE(value);
        const ErrorReportState state{value, value, value, value, value, value};
        const std::string url = ErrorReportUrl(kBase, state);
        ASSERT_EQ(url.compare(0, kBase.size(), kBase), 0);
        const std::string query = url.substr(kBase.size());
        for (char c : query) {
            const bool plain = std::isalnum(static_cast<unsigned char>(c)) ||
                               std::string("-._~%&=").find(c) != std::string::npos;
            EXPECT_TRUE(plain) << "raw byte " << int(static_cast<unsigned char>(c))
                               << " in the query";
        }
        const auto fields = DecodeQuery(query);
        const std::vector<std::pair<std::string, std::string>> want = {
            {"T", "Torvane"},         {"V", "3"},
            {"A", '"' + value + '"'}, {"B", '"' + value + '"'},
            {"C", '"' + value + '"'}, {"D", '"' + value + '"'},
            {"E", '"' + value + '"'}, {"F", '"' + value + '"'}};
        EXPECT_EQ(fields, want);
    }
}

TEST(PercentEncode, KeepsOnlyTheUnreservedBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"AZaz09-._~", "AZaz09-._~"},
        {" ", "%20"},
        {"\"", "%22"},
        {"\\", "%5C"},
        {"/", "%2F"},
        {"%", "%25"},
        {"+", "%2B"},
        {"\xE9\xFF", "%E9%FF"},
        {std::string(1, '\0'), "%00"},
    };
    for (const auto& [input, want] : cases) EXPECT_EQ(PercentEncode(input), want) << input;
}

TEST(ReportBaseUrl, IsTheConfiguredUrlKeptScrambled) {
    const std::string configured = TORVANE_EXPECTED_REPORT_URL;
    EXPECT_EQ(ReportBaseUrl(), configured);
    const ByteString scrambled = ScrambledReportBaseUrl();
    const std::string asText(scrambled.begin(), scrambled.end());
    EXPECT_EQ(asText.find("report"), std::string::npos);
    EXPECT_EQ(asText.find("://"), std::string::npos);
}

}  // namespace
}  // namespace torvane
