#include "uninstall/Report.h"

#include <algorithm>

namespace torvane::uninstall {

void SettleSelfRemoval(RunResult& result, SelfRemoval how, const std::string& reason) {
    auto settle = [&](Item& item) {
        switch (how) {
            case SelfRemoval::ByCopy:
                item.state = ItemState::Pending;
                break;
            case SelfRemoval::AtRestart:
                item.state = ItemState::AtRestart;
                break;
            case SelfRemoval::Failed:
                item.state = ItemState::Failed;
                if (!reason.empty()) item.reason = reason;
                break;
        }
    };
    if (result.selfItem) settle(result.items[*result.selfItem]);
    for (Item& item : result.items) {
        if (item.state != ItemState::Pending || item.path.empty()) continue;
        for (const std::string& folder : result.foldersAfterSelf)
            if (SameText(item.path, folder)) settle(item);
    }
}

bool EverythingRemoved(const RunResult& result) {
    return std::none_of(result.items.begin(), result.items.end(),
                        [](const Item& item) { return item.state == ItemState::Failed; });
}

std::string ReportMessage(const std::string& productName, const RunResult& result,
                          std::size_t maxItems) {
    auto listOf = [&](auto keep, bool withReason) {
        std::string text;
        std::size_t shown = 0, total = 0;
        for (const Item& item : result.items) {
            if (!keep(item)) continue;
            if (++total > maxItems) continue;
            ++shown;
            text += "\n" + item.what;
            if (withReason && !item.reason.empty()) text += ": " + item.reason;
        }
        if (total > shown) text += "\n... and " + std::to_string(total - shown) + " more";
        return text;
    };
    auto atRestart = [](const Item& item) { return item.state == ItemState::AtRestart; };
    std::string message;
    if (EverythingRemoved(result)) {
        message = productName + " has been removed from your computer.";
    } else {
        message = productName + " has been removed, except for these items, which could not be:\n" +
                  listOf([](const Item& item) { return item.state == ItemState::Failed; }, true) +
                  "\n\nYou may delete them yourself.";
    }
    auto kept = [](const Item& item) { return item.state == ItemState::Kept; };
    if (std::any_of(result.items.begin(), result.items.end(), kept))
        message += "\n\nThese items were there before " + productName +
                   " was installed and have been kept:\n" + listOf(kept, false);
    if (std::any_of(result.items.begin(), result.items.end(), atRestart))
        message +=
            "\n\nThese items will be removed when Windows restarts:\n" + listOf(atRestart, false);
    return message;
}

}  // namespace torvane::uninstall
