#include "app/FormMain.h"

#include <optional>

#include "app/Appl_Globals.h"
#include "app/CommandLine.h"
#include "app/ErrorReport.h"
#include "app/PNL_Error.h"
#include "base/Text.h"
#include "lib/LIB_GetMemStreamFromTheWeb.h"
#include "ui/Application.h"

namespace torvane {

TFormMain* FormMain = nullptr;

namespace {
constexpr int kHomeLeft = 40;
constexpr ui::Bounds kHeaderHome{kHomeLeft, 31, 712, 41};
constexpr ui::Bounds kPagesHome{kHomeLeft, 72, 712, 377};
constexpr ui::Bounds kBarHome{kHomeLeft, 451, 713, 32};
}  // namespace

TFormMain::TFormMain(ui::Application& app, platform::Platform& platform,
                     std::vector<PanelFactory> panels, std::vector<std::string> params)
    : ui::Form(app, "FormMain"),
      ImgIcon(this, "ImgIcon"),
      PnlHeader(this, "PnlHeader"),
      PageControl(this, "PageControl"),
      PnlButtons(this, "PnlButtons"),
      Timer1(this, "Timer1"),
      AlphaBlendTimer(this, "AlphaBlendTimer"),
      platform_(platform),
      factories_(std::move(panels)),
      params_(std::move(params)) {
    FormMain = this;

    SetBounds(0, 0, kClientWidth, kClientHeight);
    ImgIcon.SetBounds(5, 6, 41, 41);
    ImgIcon.SetShowsProgramIcon(true);
    ImgIcon.Description = "Torvane P2P";
    PnlHeader.SetBounds(kHeaderHome.left, kHeaderHome.top, kHeaderHome.width, kHeaderHome.height);
    ui::Font headerFont = PnlHeader.GetFont();
    headerFont.pixels = 19;
    PnlHeader.SetFont(headerFont);
    PageControl.SetBounds(kPagesHome.left, kPagesHome.top, kPagesHome.width, kPagesHome.height);
    PnlButtons.SetBounds(kBarHome.left, kBarHome.top, kBarHome.width, kBarHome.height);
    Timer1.SetInterval(150);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    AlphaBlendTimer.SetInterval(100);
    AlphaBlendTimer.SetEnabled(false);
    AlphaBlendTimer.OnTimer = [this] { AlphaBlendTimerTimer(); };

    FormCreate();
}

TFormMain::~TFormMain() {
    if (FormMain == this) FormMain = nullptr;
}

void TFormMain::FormCreate() {
    SetCaption("Install Torvane P2P 4.43");
    SetColor(ui::colors::Blue);
    PnlHeader.SetColor(ui::colors::Navy);
    PnlHeader.SetFontColor(ui::colors::White);
    PnlButtons.SetColors(ui::colors::White, ui::colors::Lime, ui::colors::Navy, ui::colors::Blue,
                         ui::colors::Cream);

    // The welcome panel comes first: its constructor makes the program's
    // first random draws.
    for (const PanelFactory& make : factories_) RegisterPanel(make(*this));

    if (std::optional<std::string> folder =
            AutoUpdateFolder(params_, platform_.files.LeadBytes())) {
        InstallDir = *folder;
        AutoUpdate = true;
    }

    Sliding = false;
    App().SetExceptionHandler([this](const std::exception& e) { AppException(nullptr, e); });
    ShowPanel("PnlWelcome", false);
}

void TFormMain::FormShow() {
    // The welcome panel was shown from the constructor, before the window
    // had a peer factory to measure texts with: its texts are fitted now,
    // before the window first appears.
    for (const auto& panel : panels_)
        if (panel->Parent() == PageControl.ActivePage()) panel->FitTexts();
    SetAlphaBlend(true);
    SetAlphaBlendValue(0);
    AlphaBlendTimer.SetEnabled(true);
}

void TFormMain::AlphaBlendTimerTimer() {
    int alpha = AlphaBlendValue();
    if (alpha > 235) alpha = 255;
    if (alpha < 255)
        alpha += 16;
    else
        AlphaBlendTimer.SetEnabled(false);
    SetAlphaBlendValue(alpha);
}

void TFormMain::Timer1Timer() {
    Timer1.SetEnabled(false);
    if (AutoUpdate) ShowPanel("PNLUpgradeUpgrading", true);
}

void TFormMain::RegisterPanel(std::unique_ptr<TFramePanel> panel) {
    panel->SetNavigator(*this);
    ui::Page& page = PageControl.AddPage(panel->Name());
    panel->SetParent(&page);
    panel->SetBounds(0, 0, page.Width(), page.Height());
    panels_.push_back(std::move(panel));
}

TFramePanel* TFormMain::ActivePanel() const {
    ui::Page* page = PageControl.ActivePage();
    if (!page) return nullptr;
    for (const auto& panel : panels_)
        if (panel->Parent() == page) return panel.get();
    return nullptr;
}

void TFormMain::ShowPanel(const std::string& Name, bool Animate) {
    SetAlphaBlend(false);
    AlphaBlendTimer.SetEnabled(false);

    ui::Page* target = nullptr;
    const std::string wanted = LowerCase(Name);
    for (const auto& page : PageControl.Pages())
        if (LowerCase(page->Name()) == wanted) target = page.get();
    if (!target) return;

    TFramePanel* panel = nullptr;
    for (const auto& candidate : panels_)
        if (candidate->Parent() == target) panel = candidate.get();
    if (!panel) return;

    // A close while a working panel slides in would destroy the window and
    // leave its work to run unseen: from here to the end of the panel's
    // work, close requests from outside are refused.
    std::optional<WorkInProgress> working;
    if (panel->WorksWhenShown()) working.emplace(*this);

    const unsigned generation = ++showGeneration_;
    // A change that starts while another one slides (a failure reported from
    // inside the slide's message processing) takes over from home positions.
    if (Sliding) BringControlsHome();
    if (Animate && !SlideOut(generation)) return;
    try {
        PageControl.SetActivePage(target);
        // Hiding a page does not take the keyboard focus away from the box
        // in it: typing and Tab would still reach the page the user left.
        // The form takes the focus, so the first Tab lands on the new page.
        SetFocus();
        PnlHeader.SetCaption(panel->HeaderText);
        PnlButtons.Clear();
        panel->SetButtons(PnlButtons);
        panel->BeforeShow();
        // Texts are set by now (some only in BeforeShow): none is cut.
        panel->FitTexts();
    } catch (...) {
        // Left slid out, the error panel's own slide would start from the
        // wrong place and never come into view.
        if (Animate) BringControlsHome();
        throw;
    }
    if (Animate && !SlideIn(generation)) return;
    panel->AfterShow();
}

bool TFormMain::SlideOut(unsigned generation) {
    Sliding = true;
    // Out: header and bar to the right, the page area to the left, pausing
    // more than 40 ms per step.
    return MoveSlidingControls(+1, 40, 1, generation);
}

bool TFormMain::SlideIn(unsigned generation) {
    // In: back again, pausing more than 1/15 s per step.
    if (!MoveSlidingControls(-1, 1000, 15, generation)) return false;
    Sliding = false;
    return true;
}

bool TFormMain::MoveSlidingControls(int towardsRight, unsigned pauseNumerator,
                                    unsigned pauseDenominator, unsigned generation) {
    platform::Clock& clock = platform_.clock;
    for (int step = 0; step < kSlideSteps; ++step) {
        const int move = towardsRight * kSlideStep;
        PnlHeader.SetLeft(PnlHeader.Left() + move);
        PnlButtons.SetLeft(PnlButtons.Left() + move);
        PageControl.SetLeft(PageControl.Left() - move);
        const std::uint64_t noted = clock.NowMs();
        do {
            App().ProcessMessages();
            // A failure handled while messages ran may have started another
            // panel change; that one owns the controls now.
            if (generation != showGeneration_) return false;
        } while ((clock.NowMs() - noted) * pauseDenominator <= pauseNumerator);
    }
    return true;
}

void TFormMain::BringControlsHome() {
    PnlHeader.SetLeft(kHeaderHome.left);
    PnlButtons.SetLeft(kBarHome.left);
    PageControl.SetLeft(kPagesHome.left);
    Sliding = false;
}

void TFormMain::AppException(ui::Control* /*Sender*/, const std::exception& E) {
    const std::string baseUrl = ReportBaseUrl();
    ErrorReportState state{PnlHeader.Caption(), InstallDir, DownloadDir, WorkDir,
                           UserDataDir,         E.what()};
    // Best effort: nobody waits for the answer, and a report that cannot even
    // start must not keep the panel from showing.
    try {
        std::shared_ptr<ui::UiThreadHandover> handover = App().Handover();
        tLibGetMemStreamFromTheWeb::Start(
            ErrorReportUrl(baseUrl, state), nullptr, platform_.http,
            [handover](std::function<void()> task) { return handover->Post(std::move(task)); });
    } catch (const std::exception&) {
    }
    if (TFramePanel* failed = ActivePanel(); failed && failed != PnlError) {
        try {
            failed->FailureReported();
        } catch (const std::exception&) {
        }
    }
    if (AutoUpdate) unattendedFailure_ = true;
    PnlError->SetMessage(E.what());
    ShowPanel("PnlError", true);
}

}  // namespace torvane
