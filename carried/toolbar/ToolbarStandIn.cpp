#include "toolbar/ToolbarStandIn.h"

#include <cstdio>

#include "base/Text.h"
#include "common/CarriedVersion.h"

namespace torvane::toolbar {

bool IsSilentRun(const std::vector<std::string>& params) {
    return params.size() == 2 && LowerCase(params[0]) == "/s" && LowerCase(params[1]) == "-silent";
}

std::string MarkerText(const std::string& commandLine, const LocalTime& t) {
    char when[32];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return "Torvane toolbar stand-in ran silently; it installed nothing.\r\n"
           "Command line: " +
           commandLine +
           "\r\n"
           "Local time: " +
           when + "\r\n";
}

std::string NoticeTitle() { return "Torvane Toolbar (stand-in)"; }

std::string NoticeText() {
    return "This program is a stand-in for the browser-toolbar installer that the real " TORVANE_CARRIED_PRODUCT
           " setup offers.\n\n"
           "It installs nothing and changes nothing on this computer. Started by the setup with \"/s -silent\", it only records that it ran.";
}

}  // namespace torvane::toolbar
