#include "ui/Control.h"

#include <algorithm>

#include "base/Text.h"

namespace torvane::ui {

Control::Control(Container* parent, ControlKind kind, std::string name)
    : parent_(parent), kind_(kind), name_(std::move(name)) {
    if (parent_) parent_->AddChild(this);
}

Control::~Control() {
    // While the root itself is destroyed its override is gone already, as is
    // what it would forget.
    Root().FocusGone(this);
    peer_.reset();
    if (parent_) parent_->RemoveChild(this);
}

void Control::SetParent(Container* parent) {
    if (parent == parent_) return;
    peer_.reset();
    if (parent_) parent_->RemoveChild(this);
    parent_ = parent;
    if (parent_) {
        parent_->AddChild(this);
        Realize();
    }
}

void Control::SetBounds(int left, int top, int width, int height) {
    Bounds next{left, top, width, height};
    if (next == bounds_) return;
    bounds_ = next;
    Notify(Property::Bounds);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Notify(Property::Visible);
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Notify(Property::Enabled);
}

void Control::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Notify(Property::Caption);
}

void Control::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    Notify(Property::Color);
}

void Control::SetFont(const Font& font) {
    if (font == font_) return;
    font_ = font;
    Notify(Property::Font);
}

void Control::SetFontColor(Color color) {
    Font font = font_;
    font.color = color;
    SetFont(font);
}

Control& Control::Root() {
    Control* root = this;
    while (root->parent_) root = root->parent_;
    return *root;
}

void Control::SetFocus() {
    Root().FocusAsked(this);
    Notify(Property::Focus);
}

PeerFactory* Control::Factory() const { return parent_ ? parent_->Factory() : nullptr; }

void Control::Realize() {
    if (!peer_) {
        bool parentReady = parent_ == nullptr || parent_->Realized();
        PeerFactory* factory = Factory();
        if (!parentReady || !factory) return;
        peer_ = factory->CreatePeer(*this);
        if (!peer_) return;
        peer_->Changed(Property::All);
    }
    RealizeChildren();
}

void Control::Notify(Property what) {
    if (peer_) peer_->Changed(what);
}

Container::~Container() {
    // Children outliving their parent must not point back at it.
    for (Control* child : children_) child->parent_ = nullptr;
}

void Container::AddChild(Control* child) { children_.push_back(child); }

void Container::RemoveChild(Control* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void Container::RealizeChildren() {
    // Realizing may not add or remove children, but copy anyway so a peer that
    // does cannot invalidate the walk.
    std::vector<Control*> children = children_;
    for (Control* child : children) child->Realize();
}

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return UpperChar(caption[i + 1]);
    }
    return 0;
}

std::string DisplayCaption(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == '&')
            continue;
        shown += caption[i];
    }
    return shown;
}

}  // namespace torvane::ui
