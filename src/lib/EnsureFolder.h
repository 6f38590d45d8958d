#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace torvane {

// Makes the folder with every missing parent; an existing folder and a bare
// drive root ("C:\") count as success without anything being made. Raises
// EInOutError with the number of the first refused creation (3, path not
// found, when none was refused) when the folder still does not exist.
void EnsureFolder(platform::FileSystem& files, const std::string& path);

}  // namespace torvane
