#pragma once
#include <string>
#include <vector>

namespace torvane {

// Splits a Windows command line into its parameters the way the run-time's
// parameter list does: blanks (any character up to a space) separate
// parameters, double quotes group blanks into a parameter and are dropped.
// The first item, the program itself, is left out.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace torvane
