#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/CheckBox.h"

namespace torvane::ui {

// One column of radio buttons in a captioned frame. The group makes its
// buttons itself from the item captions; exactly the button of ItemIndex is
// checked (none for -1).
class RadioGroup : public Container {
public:
    explicit RadioGroup(Container* parent, std::string name = {});

    // Replaces the buttons by one per caption; the selection becomes -1.
    void SetItems(const std::vector<std::string>& captions);
    const std::vector<std::unique_ptr<RadioButton>>& Buttons() const { return buttons_; }

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

private:
    void Layout();
    std::vector<std::unique_ptr<RadioButton>> buttons_;
    int itemIndex_ = -1;
};

}  // namespace torvane::ui
