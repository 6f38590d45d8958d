// panel_text_fit.exe: every text of every wizard panel, of the error panel and
// of the button bar, laid out in its control's own font the way the control
// draws it, against the control's box. Run under Wine in the test prefix
// (textfit/run.sh); prints one line per text and fails when any text loses a
// word at the box's edge or a line below it.
//
//   fits   Panel/Control  box WxH  needs WxH  "text..."
//   CUT    Panel/Control  box WxH  needs WxH  reason  "text..."
//
// The main window is built as the program builds it, with the real platform;
// each panel's buttons and its "before show" step fill in the texts that are
// set only then (the connection panel's description, say), and its boxes are
// fitted to them as ShowPanel fits them.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/ErrorReport.h"
#include "app/FormMain.h"
#include "app/PNL_Error.h"
#include "base/win32/WinHeaders.h"
#include "panels/WizardPanels.h"
#include "payload/LIB_qvURL.h"
#include "platform/Platform.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/RadioGroup.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Win32Application.h"
#include "ui/win32/Win32PeerFactory.h"

namespace torvane {
// The program's objects want the report URL; no report is sent from here.
ByteString ScrambledReportBaseUrl() { return ScrambleUrl("http://127.0.0.1/"); }
}  // namespace torvane

namespace {

using namespace torvane;

struct Measured {
    int width = 0, height = 0;
};

class TextFit {
public:
    explicit TextFit(ui::win32::FontCache& fonts)
        : fonts_(fonts), dc_(::CreateCompatibleDC(nullptr)) {}
    ~TextFit() { ::DeleteDC(dc_); }
    TextFit(const TextFit&) = delete;
    TextFit& operator=(const TextFit&) = delete;

    // Lays `text` out as DrawTextA does with `format` (DT_CALCRECT added) at
    // `width` (0: no limit).
    Measured Layout(const ui::Font& font, const std::string& text, UINT format, int width) {
        const HGDIOBJ old = ::SelectObject(dc_, fonts_.Get(font));
        RECT box{0, 0, width, 0};
        ::DrawTextA(dc_, text.c_str(), -1, &box, format | DT_CALCRECT);
        ::SelectObject(dc_, old);
        return {box.right, box.bottom};
    }

    // The widest word of a text (what DT_WORDBREAK cannot break).
    int WidestWord(const ui::Font& font, const std::string& text) {
        std::istringstream words(text);
        std::string word;
        int widest = 0;
        while (words >> word)
            widest = std::max(widest, Layout(font, word, DT_SINGLELINE | DT_NOPREFIX, 0).width);
        return widest;
    }

    void Check(const std::string& where, const ui::Control& control) {
        switch (control.Kind()) {
            case ui::ControlKind::Label:
            case ui::ControlKind::TextBox:
                CheckLabel(where, static_cast<const ui::Label&>(control));
                break;
            case ui::ControlKind::CheckBox:
            case ui::ControlKind::RadioButton:
                // One line beside the check mark, as a BUTTON window draws it.
                CheckLine(where, control,
                          control.Width() - ::GetSystemMetrics(SM_CXMENUCHECK) -
                              2 * ::GetSystemMetrics(SM_CXEDGE));
                break;
            case ui::ControlKind::SpeedButton:
            case ui::ControlKind::Button:
                CheckLine(where, control, control.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE));
                break;
            case ui::ControlKind::GroupBox:
                // The frame's caption sits on its top edge, inset on both sides.
                CheckLine(where, control, control.Width() - 16);
                break;
            default:
                break;
        }
    }

    void Report(const std::string& where, const ui::Control& control, Measured needs,
                const std::string& problem) {
        const std::string text = control.Caption().substr(0, 48);
        std::string flat;
        for (char c : text) flat += (c == '\r' || c == '\n') ? '|' : c;
        const char* verdict = problem.empty() ? "fits" : "CUT";
        std::printf("%-5s  %-40s  box %dx%d  needs %dx%d  %s\"%s\"\n", verdict, where.c_str(),
                    control.Width(), control.Height(), needs.width, needs.height,
                    problem.empty() ? "" : (problem + "  ").c_str(), flat.c_str());
        ++checked_;
        if (!problem.empty()) ++cut_;
    }

    // A caption drawn on one line across the whole control (the header).
    void CheckLine(const std::string& where, const ui::Control& control) {
        CheckLine(where, control, control.Width());
    }

    int Checked() const { return checked_; }
    int Cut() const { return cut_; }

private:
    void CheckLabel(const std::string& where, const ui::Label& label) {
        if (label.Caption().empty()) return;
        const std::string text = ui::win32::ToDrawTextLines(label.Caption());
        const UINT format = DT_LEFT | DT_EXPANDTABS | (label.WordWrap() ? DT_WORDBREAK : 0);
        const ui::Font& font = label.GetFont();
        if (label.AutoSize()) {
            // The label takes the size of its text; what must fit is the
            // parent that clips it.
            const Measured needs = Layout(font, text, format, label.WordWrap() ? label.Width() : 0);
            const ui::Control* parent = label.Parent();
            std::string problem;
            if (parent && label.Left() + needs.width > parent->Width())
                problem = "past its parent's right edge";
            if (parent && label.Top() + needs.height > parent->Height())
                problem = "past its parent's bottom edge";
            Report(where, label, needs, problem);
            return;
        }
        const Measured needs = Layout(font, text, format, label.WordWrap() ? label.Width() : 0);
        std::string problem;
        if (label.WordWrap() && WidestWord(font, text) > label.Width())
            problem = "a word wider than the box";
        else if (needs.width > label.Width())
            problem = "a line wider than the box";
        else if (needs.height > label.Height())
            problem = "lines below the box";
        Report(where, label, needs, problem);
    }

    void CheckLine(const std::string& where, const ui::Control& control, int room) {
        if (control.Caption().empty()) return;
        const Measured needs = Layout(control.GetFont(), control.Caption(), DT_SINGLELINE, 0);
        std::string problem;
        if (needs.width > room)
            problem = "wider than the room beside its mark or edges";
        else if (needs.height > control.Height())
            problem = "taller than the box";
        Report(where, control, needs, problem);
    }

    ui::win32::FontCache& fonts_;
    HDC dc_;
    int checked_ = 0;
    int cut_ = 0;
};

bool ShownWithin(const ui::Control& control, const ui::Control& top) {
    for (const ui::Control* c = &control; c && c != &top; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

void Walk(TextFit& fit, const std::string& panel, const ui::Control& top,
          const ui::Control& control) {
    if (!ShownWithin(control, top)) return;
    fit.Check(panel + "/" + control.Name(), control);
    if (control.Kind() == ui::ControlKind::GroupBox)
        for (const auto& button : static_cast<const ui::RadioGroup&>(control).Buttons())
            fit.Check(panel + "/" + control.Name() + "/" + button->Caption(), *button);
    if (const ui::Container* container = control.AsContainer())
        for (const ui::Control* child : container->Children()) Walk(fit, panel, top, *child);
}

int Run() {
    platform::win32::ComApartment com;
    ui::win32::Win32ApplicationHost host;
    ui::Application app(host);
    host.Attach(app);
    std::vector<std::string> failures;
    app.SetExceptionHandler([&failures](const std::exception& e) { failures.push_back(e.what()); });
    platform::win32::Win32Platform system([&host] { return host.MainWindow(); });
    platform::Platform& platform = system.Get();

    ui::win32::Win32PeerFactory factory(app, host);
    TFormMain form(app, platform, WizardPanels(), {});
    form.SetPeerFactory(&factory);
    form.Realize();
    ui::win32::FontCache& fonts = factory.Context().Fonts();
    TextFit fit(fonts);
    const auto& faces = fonts.Installed();
    std::printf("MS Sans Serif bitmap heights:");
    for (int h : faces.bitmapHeights) std::printf(" %d", h);
    std::printf("%s\n", faces.bitmapHeights.empty() ? " none (Tahoma stands in)" : "");

    for (const auto& panel : form.Panels()) {
        try {
            panel->SetButtons(form.PnlButtons);
            if (panel.get() == PnlError)
                PnlError->SetMessage("Cannot create the folder C:\\Program Files\\Torvane P2P");
            panel->BeforeShow();
            panel->FitTexts();
        } catch (const std::exception& e) {
            std::printf("note  %s: preparing it failed (%s); its texts as they stand\n",
                        panel->Name().c_str(), e.what());
        }
        form.PnlHeader.SetCaption(panel->HeaderText);
        fit.CheckLine(panel->Name() + "/header", form.PnlHeader);
        Walk(fit, panel->Name(), *panel, *panel);
        Walk(fit, panel->Name() + "/bar", form.PnlButtons, form.PnlButtons);
    }
    for (const std::string& failure : failures)
        std::printf("note  a handler failed: %s\n", failure.c_str());
    std::printf("%d texts, %d cut\n", fit.Checked(), fit.Cut());
    return fit.Cut() == 0 && fit.Checked() > 0 ? 0 : 1;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
    }
    return 2;
}
