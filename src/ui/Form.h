#pragma once
#include <string>

#include "ui/Control.h"

namespace torvane::ui {

class Application;

// A top-level window. Its bounds are those of the client area; the peer sizes
// the frame around it and centres it on the screen.
class Form : public Container {
public:
    explicit Form(Application& app, std::string name = {});
    ~Form() override;

    Application& App() const { return app_; }

    // Fade-in support: with alpha blending on, the window is drawn with the
    // given opacity (0 transparent .. 255 opaque).
    bool AlphaBlend() const { return alphaBlend_; }
    int AlphaBlendValue() const { return alphaValue_; }
    void SetAlphaBlend(bool on);
    void SetAlphaBlendValue(int value);

    // Shows the window; runs the show handler first.
    void Show();
    // Closes the window: runs the close handler, then ends the program's
    // message loop (the peer destroys the window).
    void Close();
    bool Closed() const { return closed_; }
    // A close asked for from outside the program (Alt+F4, the system menu,
    // the taskbar, another program's WM_CLOSE): closes the window when
    // CanClose() allows it, else does nothing. Returns whether it closed.
    bool RequestClose();
    // Whether such a request may close the window now; the program's own
    // Close() does not ask.
    virtual bool CanClose() const { return true; }

    // The control that asked for the keyboard focus last (the form itself
    // included), or null when none has.
    const Control* FocusedControl() const { return focused_; }

    void SetPeerFactory(PeerFactory* factory) { factory_ = factory; }
    PeerFactory* Factory() const override { return factory_; }

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    void FocusAsked(const Control* control) override { focused_ = control; }
    void FocusGone(const Control* control) override {
        if (focused_ == control) focused_ = nullptr;
    }

private:
    Application& app_;
    PeerFactory* factory_ = nullptr;
    bool alphaBlend_ = false;
    int alphaValue_ = 255;
    bool closed_ = false;
    const Control* focused_ = nullptr;
};

}  // namespace torvane::ui
