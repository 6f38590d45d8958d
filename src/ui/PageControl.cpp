#include "ui/PageControl.h"

namespace torvane::ui {

Page& PageControl::AddPage(const std::string& name) {
    pages_.push_back(std::make_unique<Page>(this, name));
    Page& page = *pages_.back();
    page.SetBounds(0, 0, Width(), Height());
    page.SetVisible(active_ == nullptr);
    if (!active_) active_ = &page;
    page.Realize();
    return page;
}

void PageControl::SetActivePage(Page* page) {
    if (page == active_) return;
    // Show the new page before hiding the old one so the area never flashes empty.
    if (page) {
        page->SetVisible(true);
        page->Realize();  // its controls, on its first showing
    }
    if (active_) active_->SetVisible(false);
    active_ = page;
    Notify(Property::Active);
}

}  // namespace torvane::ui
