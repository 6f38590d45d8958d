#pragma once
#include <string>

#include "base/ByteString.h"

namespace torvane {

// What an error report says: the header on show, the four folders of the
// install state and the failure's message, all as they were at the failure.
struct ErrorReportState {
    std::string header;
    std::string installDir, downloadDir, workDir, userDataDir;
    std::string message;
};

// Every byte outside the unreserved set (A-Z a-z 0-9 - . _ ~) as %XX, upper
// case hex. Backslashes, blanks, "&", quotes and bytes above 127 are all
// encoded, so that no value can change the query's structure and the system's
// URL handling (which turns "\" into "/") leaves the values alone.
std::string PercentEncode(const std::string& bytes);

// The report's URL: `baseUrl` followed directly by
//   T=Torvane&V=3&A="header"&B="InstallDir"&C="DownloadDir"&D="WorkDir"
//   &E="UserDataDir"&F="message"
// where each quoted value, quotes included, is percent-encoded; the server's
// decoded values are the quoted texts. The base URL ends where the first key
// can follow (normally with "?").
std::string ErrorReportUrl(const std::string& baseUrl, const ErrorReportState& state);

// The report service's base URL this build was configured with; it is kept
// scrambled in the program (generated at build time by tools/urlgen).
std::string ReportBaseUrl();
// The scrambled bytes, as generated.
ByteString ScrambledReportBaseUrl();

}  // namespace torvane
