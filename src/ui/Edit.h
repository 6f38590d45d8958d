#pragma once
#include <functional>
#include <string>

#include "ui/Control.h"

namespace torvane::ui {

// A one-line edit box. Its text is the control's caption. What the user
// types arrives through UserTyped (the peer calls it; so do the tests), which
// updates the text without echoing it back to the peer.
class Edit : public Control {
public:
    explicit Edit(Container* parent, std::string name = {})
        : Control(parent, ControlKind::Edit, std::move(name)) {
        SetColor(colors::White);
    }

    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    std::function<void()> OnExit;  // the focus moved on to another control of the box's panel
    std::function<void(char& key)> OnKeyPress;  // a character typed; set it to 0 to swallow it
    std::function<void()> OnChange;             // the text changed

    // The user replaced the text (the peer reports the box's new content).
    void UserTyped(const std::string& text);
    // A character typed: OnKeyPress first; returns the character to insert (0: none).
    char KeyPress(char key);
    // The focus moved from the box to another control of its panel (the
    // peer tells which moves count).
    void Exit() {
        if (OnExit) OnExit();
    }
};

}  // namespace torvane::ui
