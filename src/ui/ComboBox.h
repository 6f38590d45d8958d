#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace torvane::ui {

// A drop-down list: the user picks one of the items and cannot type. The
// selection is an index into the items, -1 for none; Text() is the selected
// item. A pick the user made arrives through UserSelected (the peer calls it;
// so do the tests).
class ComboBox : public Control {
public:
    explicit ComboBox(Container* parent, std::string name = {})
        : Control(parent, ControlKind::ComboBox, std::move(name)) {
        SetColor(colors::White);
    }

    const std::vector<std::string>& Items() const { return items_; }
    void Clear() {
        items_.clear();
        itemIndex_ = -1;
        Notify(Property::Items);
    }
    void AddItem(const std::string& item) {
        items_.push_back(item);
        Notify(Property::Items);
    }

    int ItemIndex() const { return itemIndex_; }
    // An index outside the items selects nothing.
    void SetItemIndex(int index) {
        itemIndex_ = ValidIndex(index) ? index : -1;
        Notify(Property::Selection);
    }
    // The selected item, "" when none is.
    std::string Text() const {
        return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
    }

    std::function<void()> OnChange;  // the user picked another item

    // The user picked item `index` (the window already shows it).
    void UserSelected(int index) {
        if (!ValidIndex(index) || index == itemIndex_) return;
        itemIndex_ = index;
        if (OnChange) OnChange();
    }

private:
    bool ValidIndex(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < items_.size();
    }

    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

}  // namespace torvane::ui
