#pragma once
#include "ui/Control.h"

namespace torvane::ui {

// A caption drawn on its parent. Labels size themselves to their caption
// unless AutoSize is off; a transparent label shows its parent through.
class Label : public Control {
public:
    explicit Label(Container* parent, std::string name = {}, ControlKind kind = ControlKind::Label)
        : Control(parent, kind, std::move(name)) {}

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) {
        transparent_ = transparent;
        Notify(Property::Color);
    }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) {
        autoSize_ = autoSize;
        Notify(Property::Bounds);
    }

    // Lines are separated by a single carriage return (13), as in the layouts.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) {
        wordWrap_ = wordWrap;
        Notify(Property::Caption);
    }

    // A link: the hand cursor over it.
    bool HandCursor() const { return handCursor_; }
    void SetHandCursor(bool hand) {
        handCursor_ = hand;
        Notify(Property::Cursor);
    }

    std::function<void()> OnClick;
    void Click() {
        if (OnClick) OnClick();
    }

private:
    bool handCursor_ = false;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
};

// A text box: a multi-line static text of fixed size (the layouts'
// "StaticText" controls).
class TextBox : public Label {
public:
    explicit TextBox(Container* parent, std::string name = {})
        : Label(parent, std::move(name), ControlKind::TextBox) {
        SetAutoSize(false);
        SetWordWrap(true);
    }
};

}  // namespace torvane::ui
