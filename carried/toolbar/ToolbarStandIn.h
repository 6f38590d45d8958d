#pragma once
// The toolbar stand-in's decisions for C++ callers (the unit tests): a thin
// layer over toolbar/ToolbarCore.h, the plain C core the stand-in itself is
// built from.
#include <string>
#include <vector>

#include "toolbar/ToolbarCore.h"

namespace torvane::toolbar {

// The setup starts the toolbar installer with exactly "/s -silent" (in that
// order, any letter case): the stand-in then shows nothing and only records
// the run. Any other parameters show the notice.
bool IsSilentRun(const std::vector<std::string>& params);

// Below the user's local application-data folder.
constexpr const char* kMarkerFolder = TORVANE_TOOLBAR_MARKER_FOLDER;
constexpr const char* kMarkerFile = TORVANE_TOOLBAR_MARKER_FILE;

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// The marker file's text, CR LF lines: what ran, with which command line, when.
std::string MarkerText(const std::string& commandLine, const LocalTime& time);

// The title and text of the notice shown when started without the silent
// parameters.
std::string NoticeTitle();
std::string NoticeText();

}  // namespace torvane::toolbar
