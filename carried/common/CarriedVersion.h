#pragma once
// Version of the carried programs, shared by their C++ code and their
// resource scripts (windres runs the C preprocessor over .rc files, so this
// file holds only #defines).
#define TORVANE_CARRIED_VERSION_MAJOR 4
#define TORVANE_CARRIED_VERSION_MINOR 43
#define TORVANE_CARRIED_VERSION_TEXT "4.43"
#define TORVANE_CARRIED_PRODUCT "Torvane P2P"
