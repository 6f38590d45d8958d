#pragma once
#include <string>
#include <vector>

// The shapes of Windows path names that the setup and the carried uninstaller
// judge alike: what one refuses to write, the other refuses to carry out.
namespace torvane {

// The non-empty parts of a drive path below its root ("C:\a\b\" -> a, b).
std::vector<std::string> PathParts(const std::string& drivePath);

// True for the names Windows opens as devices whatever the folder: CON, PRN,
// AUX, NUL, COM0-9, LPT0-9 (and their superscript forms), CONIN$, CONOUT$,
// CLOCK$, also with an extension or trailing blanks ("NUL.txt", "CON ").
bool IsDeviceName(const std::string& name);

// True for a name in the 8.3 short form Windows makes up: a "~" followed by
// digits before the extension ("PROGRA~1", "TORVAN~2.EXE").
bool IsShortName(const std::string& name);

}  // namespace torvane
