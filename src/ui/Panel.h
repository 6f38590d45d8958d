#pragma once
#include "ui/Control.h"

namespace torvane::ui {

enum class Bevel { None, Raised, Lowered };

// A plain panel: a coloured area that may hold other controls and may show a
// centred caption inside a bevel (the main window's header is one).
class Panel : public Container {
public:
    explicit Panel(Container* parent, std::string name = {}, ControlKind kind = ControlKind::Panel)
        : Container(parent, kind, std::move(name)) {}

    Bevel GetBevel() const { return bevel_; }
    void SetBevel(Bevel bevel) {
        bevel_ = bevel;
        Notify(Property::All);
    }

private:
    Bevel bevel_ = Bevel::Raised;
};

}  // namespace torvane::ui
