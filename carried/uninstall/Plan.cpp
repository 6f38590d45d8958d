#include "uninstall/Plan.h"

#include <optional>

#include "uninstall/Confinement.h"
#include "uninstall/LineRules.h"

namespace torvane::uninstall {

std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath) {
    return MakePlan(list, selfPath, Ownership{FolderOf(selfPath), true, {}, NoLeadBytes});
}

std::vector<Step> MakePlan(const UninstallList& list, const std::string& selfPath,
                           const Ownership& owned) {
    if (!SameText(list.productName, kProductName))
        throw ListError("the first line names \"" + list.productName + "\", not " + kProductName);
    std::vector<Step> plan;
    std::optional<Step> self;
    for (const Entry& entry : list.entries) {
        std::optional<std::string> refusal = RefusalOf(entry, owned.isLead);
        if (!refusal) refusal = OutsideOf(entry, owned);
        if (refusal)
            throw ListError("line " + std::to_string(entry.line) + " (" + DescribeEntry(entry) +
                            ") " + *refusal);
        Step step{entry, false};
        if (entry.kind == EntryKind::File && !selfPath.empty() &&
            SameText(entry.argument, selfPath)) {
            step.removesSelf = true;
            if (!self) self = step;
            continue;
        }
        plan.push_back(std::move(step));
    }
    if (self) plan.push_back(std::move(*self));
    return plan;
}

}  // namespace torvane::uninstall
