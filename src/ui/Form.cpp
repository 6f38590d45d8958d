#include "ui/Form.h"

namespace torvane::ui {

Form::Form(Application& app, std::string name)
    : Container(nullptr, ControlKind::Form, std::move(name)), app_(app) {
    // A form is created hidden and appears with Show().
    SetVisible(false);
}

Form::~Form() = default;

void Form::SetAlphaBlend(bool on) {
    if (on == alphaBlend_) return;
    alphaBlend_ = on;
    Notify(Property::Alpha);
}

void Form::SetAlphaBlendValue(int value) {
    if (value == alphaValue_) return;
    alphaValue_ = value;
    Notify(Property::Alpha);
}

void Form::Show() {
    FormShow();
    SetVisible(true);
}

bool Form::RequestClose() {
    if (!CanClose()) return false;
    Close();
    return true;
}

void Form::Close() {
    if (closed_) return;
    FormClose();
    closed_ = true;
    Notify(Property::Closed);
}

}  // namespace torvane::ui
