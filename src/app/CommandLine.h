#pragma once
#include <optional>
#include <string>
#include <vector>

namespace torvane {

// Splits a Windows command line into its parameters the way the run-time's
// parameter list does: blanks (any character up to a space) separate
// parameters, double quotes group blanks into a parameter and are dropped.
// The first item, the program itself, is left out.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The unattended-upgrade switch: the parameters joined with single spaces and
// trimmed must begin with "/autoupdate " in any letter case. Returns the
// folder after it, trimmed, in its own letter case, with a trailing "\"
// added; nothing when the switch is absent.
std::optional<std::string> AutoUpdateFolder(const std::vector<std::string>& params);

// Removes blanks and control characters (everything up to a space) from both ends.
std::string Trim(const std::string& text);
std::string LowerCase(const std::string& text);

}  // namespace torvane
