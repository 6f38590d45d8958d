#include "ui/Edit.h"

namespace torvane::ui {

void Edit::UserTyped(const std::string& text) {
    if (text == Caption()) return;
    // The window already shows the text; only the state follows it.
    SilentlySetCaption(text);
    if (OnChange) OnChange();
}

char Edit::KeyPress(char key) {
    if (OnKeyPress) OnKeyPress(key);
    return key;
}

}  // namespace torvane::ui
