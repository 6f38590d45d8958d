#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/Panel.h"

namespace torvane::ui {

// One page of a page control. Its tab is never shown: the wizard moves
// between pages only by name.
class Page : public Panel {
public:
    explicit Page(Container* parent, std::string name)
        : Panel(parent, std::move(name), ControlKind::Page) {
        SetBevel(Bevel::None);
    }

protected:
    // A page makes its controls' windows only when it is first shown: the
    // fourteen panels that are not on show cost nothing before the main
    // window first appears.
    void RealizeChildren() override {
        if (Visible()) Panel::RealizeChildren();
    }
};

// A stack of pages of which one is visible. Owns its pages.
class PageControl : public Container {
public:
    explicit PageControl(Container* parent, std::string name = {})
        : Container(parent, ControlKind::PageControl, std::move(name)) {}

    // Adds a page that fills the control, hidden until activated.
    Page& AddPage(const std::string& name);
    const std::vector<std::unique_ptr<Page>>& Pages() const { return pages_; }

    Page* ActivePage() const { return active_; }
    void SetActivePage(Page* page);

private:
    std::vector<std::unique_ptr<Page>> pages_;
    Page* active_ = nullptr;
};

}  // namespace torvane::ui
