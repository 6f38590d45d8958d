#pragma once
#include <string>
#include <vector>

#include "ui/Control.h"

namespace torvane::ui {

// A multi-line text box with a vertical scroll bar; read-only ones can be
// scrolled and selected from but not edited.
class Memo : public Control {
public:
    explicit Memo(Container* parent, std::string name = {})
        : Control(parent, ControlKind::Memo, std::move(name)) {
        SetColor(colors::White);
    }

    const std::vector<std::string>& Lines() const { return lines_; }
    void Clear() {
        lines_.clear();
        Notify(Property::Items);
    }
    void AddLine(const std::string& line) {
        lines_.push_back(line);
        Notify(Property::Items);
    }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) {
        readOnly_ = readOnly;
        Notify(Property::All);
    }

    // Caret to the start of the text, scrolled into view.
    void ScrollToTop() {
        ++scrollRequests_;
        Notify(Property::Selection);
    }
    int ScrollRequests() const { return scrollRequests_; }

private:
    std::vector<std::string> lines_;
    bool readOnly_ = false;
    int scrollRequests_ = 0;
};

}  // namespace torvane::ui
