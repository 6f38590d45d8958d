#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/Control.h"

namespace torvane::ui {

// A decoded picture: rows from top to bottom, three bytes (R, G, B) per pixel.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// A picture control. A stretched image scales the picture to its bounds; a
// transparent one lets its parent show through the picture's background.
class Image : public Control {
public:
    explicit Image(Container* parent, std::string name = {})
        : Control(parent, ControlKind::Image, std::move(name)) {}

    // The picture. One given as a loader is made when first asked for (when
    // the peer first draws it), so the pictures of panels not yet on show
    // are not decoded at start.
    const std::shared_ptr<const Bitmap>& Picture() const {
        if (!picture_ && loader_) picture_ = loader_();
        return picture_;
    }
    void SetPicture(std::shared_ptr<const Bitmap> picture) {
        picture_ = std::move(picture);
        loader_ = nullptr;
        Notify(Property::Picture);
    }
    void SetPictureLoader(std::function<std::shared_ptr<const Bitmap>()> loader) {
        loader_ = std::move(loader);
        picture_.reset();
        Notify(Property::Picture);
    }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) {
        stretch_ = stretch;
        Notify(Property::Picture);
    }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) {
        transparent_ = transparent;
        Notify(Property::Picture);
    }

    // What the picture shows, for a screen reader; empty for a picture that
    // only decorates (it is then left out of what is read).
    std::string Description;

    // The program icon instead of a picture (the main window's ImgIcon).
    bool ShowsProgramIcon() const { return programIcon_; }
    void SetShowsProgramIcon(bool on) {
        programIcon_ = on;
        Notify(Property::Picture);
    }

private:
    mutable std::shared_ptr<const Bitmap> picture_;
    std::function<std::shared_ptr<const Bitmap>()> loader_;
    bool stretch_ = false;
    bool transparent_ = false;
    bool programIcon_ = false;
};

}  // namespace torvane::ui
