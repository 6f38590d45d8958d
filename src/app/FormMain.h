#pragma once
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/FramePanel.h"
#include "app/Navigator.h"
#include "app/QvButtonBar.h"
#include "platform/Platform.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Timer.h"

namespace torvane {

// The one main window: header, page area with one page per panel, button bar.
// It shows panels by name with a slide, fades itself in when first shown and
// owns the program's answer to failures (AppException).
class TFormMain : public ui::Form, public Navigator {
public:
    static constexpr int kClientWidth = 780;
    static constexpr int kClientHeight = 509;
    static constexpr int kSlideSteps = 11;
    static constexpr int kSlideStep = 70;

    // Creating the window runs its creation handler: the panels (made by
    // `panels` in page order), command line, first panel. `params` are the
    // program's parameters without its name.
    TFormMain(ui::Application& app, platform::Platform& platform, std::vector<PanelFactory> panels,
              std::vector<std::string> params);
    ~TFormMain() override;

    platform::Platform& Platform() const override { return platform_; }
    ui::Application& App() const override { return ui::Form::App(); }
    bool IsSliding() const override { return Sliding; }
    void Close() override { ui::Form::Close(); }
    void BeginWork() override { ++working_; }
    void EndWork() override { --working_; }
    // Refuses close requests from outside while a panel's work runs.
    bool CanClose() const override { return working_ == 0; }

    ui::Image ImgIcon;
    ui::Panel PnlHeader;
    ui::PageControl PageControl;
    tQvButtonBar PnlButtons;
    ui::Timer Timer1;
    ui::Timer AlphaBlendTimer;

    // True from the first step of a slide-out to the end of the slide-in;
    // every bar-button handler does nothing while it is set.
    bool Sliding = false;

    // Places the panel on a new page named after it. The window owns it from
    // here on and is its navigator.
    void RegisterPanel(std::unique_ptr<TFramePanel> panel);
    // Shows the last registered panel whose name matches without regard to
    // case; does nothing but end the fade when none does.
    void ShowPanel(const std::string& Name, bool Animate) override;

    // The application's exception handler: reports the failure and shows the error panel.
    virtual void AppException(ui::Control* Sender, const std::exception& E);

    // The panel on show, or null before the first ShowPanel.
    TFramePanel* ActivePanel() const;
    // What the program ends with once its window is closed: 1 when an
    // unattended upgrade ended on the error panel (whoever started it can
    // tell it failed), else 0.
    int ExitCode() const { return unattendedFailure_ ? 1 : 0; }
    const std::vector<std::unique_ptr<TFramePanel>>& Panels() const { return panels_; }

    // Event handlers bound by the layout.
    void FormCreate();
    void FormShow() override;
    void FormClose() override {}
    void Timer1Timer();
    void AlphaBlendTimerTimer();

private:
    // Both return false when a newer ShowPanel took over while messages ran
    // (a failure shown on the error panel in the middle of a slide).
    bool SlideOut(unsigned generation);
    bool SlideIn(unsigned generation);
    bool MoveSlidingControls(int towardsRight, unsigned pauseNumerator, unsigned pauseDenominator,
                             unsigned generation);
    void BringControlsHome();

    platform::Platform& platform_;
    std::vector<PanelFactory> factories_;
    std::vector<std::string> params_;
    std::vector<std::unique_ptr<TFramePanel>> panels_;
    unsigned showGeneration_ = 0;
    int working_ = 0;  // pieces of work in progress (WorkInProgress)
    bool unattendedFailure_ = false;
};

// The main window, set as soon as it starts being created. Panels reach it
// through their navigator; the program entry and the tests read it here.
extern TFormMain* FormMain;

}  // namespace torvane
