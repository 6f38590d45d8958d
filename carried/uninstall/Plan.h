#pragma once
// The order of the work: the list's lines once every rule on their text
// (LineRules, Confinement) has passed, the program itself last.
#include <string>
#include <vector>

#include "uninstall/UninstallList.h"
#include "uninstall/UninstallSystem.h"

namespace torvane::uninstall {

struct Step {
    Entry entry;
    bool removesSelf = false;  // the F line naming the running uninstaller
};

// The steps in the order they run: the list's order, except that the F line
// naming the running program itself (`selfPath`, compared without regard to
// case) moves to the very end, as a running program cannot delete itself.
// A second line naming the program again is dropped. A list whose first
// line is not kProductName, or with any line that is not well formed
// (RefusalOf) or points outside the installation of the program at
// `selfPath` (OutsideOf), is damaged as a whole: ListError naming the line.
std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath);
// The same with the folders the list may touch given (ListDigest.h).
struct Ownership;
std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath,
                           const Ownership& owned);

}  // namespace torvane::uninstall
