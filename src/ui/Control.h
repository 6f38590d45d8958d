#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Font.h"

namespace torvane::ui {

class Container;
class Control;
class TextMeasurer;

// What kind of window a peer has to make for a control. Peers switch on it
// instead of probing the control's dynamic type.
enum class ControlKind {
    Form,
    Panel,
    PageControl,
    Page,
    Label,
    TextBox,
    Image,
    Timer,
    ButtonBar,
    SpeedButton,
    ProgressBar,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    Memo,
    FolderTree,
    Button,
    ComboBox,
};

// Which part of a control's state changed; a peer mirrors just that part.
enum class Property {
    All,
    Bounds,
    Visible,
    Caption,
    Color,
    Font,
    Enabled,
    Picture,
    Alpha,
    Interval,
    Pressed,
    Active,
    Closed,
    Items,
    Position,
    Checked,
    Text,
    Selection,
    Cursor,
    Focus
};

// The other side of a control: a real window (Win32) mirroring the control's
// state. Headless controls have none, and then the control's state is all
// there is, which is what the unit tests read.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void Changed(Property what) = 0;
    // True for peers that are windows. The shipped programs are built
    // without run-time type information, so the Win32 layer asks this
    // before it treats a peer as its window class.
    virtual bool IsWindow() const { return false; }
};

// Makes peers. The Win32 layer installs one on the main form; without one the
// whole tree stays headless.
class PeerFactory {
public:
    virtual ~PeerFactory() = default;
    virtual std::unique_ptr<ControlPeer> CreatePeer(Control& control) = 0;
    // How the peers lay texts out; null when nobody draws them.
    virtual const TextMeasurer* Measurer() const { return nullptr; }
};

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Bounds& a, const Bounds& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// Base of every control: position, size, visibility, colour, font and caption,
// held here whether or not a peer shows them.
//
// Peers are created by Realize(), which walks a subtree whose root form has a
// PeerFactory. Controls made in a panel's constructor are realized when the
// panel is registered with the main window; a control created later, under a
// parent that is already on screen, must be realized by the code creating it.
class Control {
public:
    Control(Container* parent, ControlKind kind, std::string name = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    Container* Parent() const { return parent_; }
    // Moves the control under another parent (or none) and realizes it there
    // when the new parent is on screen.
    void SetParent(Container* parent);

    const Bounds& GetBounds() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetLeft(int left) { SetBounds(left, bounds_.top, bounds_.width, bounds_.height); }
    void SetTop(int top) { SetBounds(bounds_.left, top, bounds_.width, bounds_.height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // True when this control and all its parents are visible.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    Color GetColor() const { return color_; }
    void SetColor(Color color);

    // Gives this control the keyboard focus. The root form remembers the
    // request, so that it can be checked without a screen.
    void SetFocus();

    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    void SetFontColor(Color color);

    // Peer side.
    ControlPeer* Peer() const { return peer_.get(); }
    bool Realized() const { return peer_ != nullptr; }
    // Creates the peers of this control and everything below it, when the
    // root of its tree has a factory and the parent is realized.
    void Realize();
    // The factory of the tree this control belongs to, or null.
    virtual PeerFactory* Factory() const;

    // This control as a container, or null when it holds no others.
    virtual Container* AsContainer() { return nullptr; }
    virtual const Container* AsContainer() const { return nullptr; }

protected:
    void Notify(Property what);
    // For state the peer itself reported (text the user typed): no echo back.
    void SilentlySetCaption(const std::string& caption) { caption_ = caption; }
    virtual void RealizeChildren() {}
    // Called on the root of the tree: `control` asked for the keyboard focus,
    // or is going away. A form keeps the one that asked last.
    virtual void FocusAsked(const Control* /*control*/) {}
    virtual void FocusGone(const Control* /*control*/) {}

private:
    Control& Root();
    friend class Container;
    Container* parent_;
    ControlKind kind_;
    std::string name_;
    Bounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    Color color_ = colors::ButtonFace;
    Font font_;
    std::unique_ptr<ControlPeer> peer_;
};

// A control that holds others. It does not own them: children are members of
// the panel or form that creates them and unregister themselves on
// destruction.
class Container : public Control {
public:
    using Control::Control;
    ~Container() override;

    const std::vector<Control*>& Children() const { return children_; }

    Container* AsContainer() override { return this; }
    const Container* AsContainer() const override { return this; }

protected:
    void RealizeChildren() override;

private:
    friend class Control;
    void AddChild(Control* child);
    void RemoveChild(Control* child);
    std::vector<Control*> children_;
};

// Where an "&" in a caption marks the accelerator letter: the letter after it,
// upper-cased, or 0 when there is none ("&&" is a literal ampersand).
char AcceleratorOf(const std::string& caption);

// The caption as drawn: "&" markers removed, "&&" drawn as one "&".
std::string DisplayCaption(const std::string& caption);

}  // namespace torvane::ui
