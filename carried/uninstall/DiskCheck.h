#pragma once
// Rule: the paths of the plan lead where the list says, through no junction
// or link.
#include <vector>

#include "uninstall/Plan.h"
#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

// Looks on the disk at the folder each line works in and at the file of an F
// line: one that is a reparse point (a junction or a link, which could lead
// anywhere) makes the list damaged, ListError. A reparse point above that
// folder (a profile moved to another drive by a junction) is accepted when
// the folder's final path still ends in the folder's own name, so that it
// resolves into a folder of the same kind. Nothing is changed.
void CheckPathsOnDisk(const std::vector<Step>& steps, UninstallSystem& system);

}  // namespace torvane::uninstall
