#include "toolbar/ToolbarStandIn.h"

#include "toolbar/ToolbarCore.h"

namespace torvane::toolbar {

bool IsSilentRun(const std::vector<std::string>& params) {
    std::vector<const char*> raw;
    raw.reserve(params.size());
    for (const std::string& param : params) raw.push_back(param.c_str());
    return TorvaneToolbarIsSilentParams(raw.size(), raw.data()) != 0;
}

std::string MarkerText(const std::string& commandLine, const LocalTime& t) {
    const TorvaneToolbarTime time{t.year, t.month, t.day, t.hour, t.minute, t.second};
    std::string text(TorvaneToolbarMarkerText(nullptr, 0, commandLine.c_str(), &time), '\0');
    TorvaneToolbarMarkerText(&text[0], text.size() + 1, commandLine.c_str(), &time);
    return text;
}

std::string NoticeTitle() { return TorvaneToolbarNoticeTitle(); }

std::string NoticeText() { return TorvaneToolbarNoticeText(); }

}  // namespace torvane::toolbar
