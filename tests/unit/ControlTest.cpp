#include <gtest/gtest.h>

#include <map>

#include "base/Exceptions.h"
#include "fakes/HeadlessHost.h"
#include "ui/Accessible.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/LbSpeedButton.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"

namespace torvane::ui {
namespace {

// Records which controls got peers and what each peer was told.
class RecordingFactory : public PeerFactory {
public:
    struct Peer : ControlPeer {
        Peer(RecordingFactory& f, Control& c) : factory(f), control(c) {}
        ~Peer() override { factory.destroyed.push_back(control.Name()); }
        void Changed(Property what) override {
            factory.changes.push_back(control.Name() + ":" + Name(what));
        }
        static std::string Name(Property p) {
            switch (p) {
                case Property::All:
                    return "All";
                case Property::Bounds:
                    return "Bounds";
                case Property::Caption:
                    return "Caption";
                case Property::Visible:
                    return "Visible";
                default:
                    return "Other";
            }
        }
        RecordingFactory& factory;
        Control& control;
    };
    std::unique_ptr<ControlPeer> CreatePeer(Control& control) override {
        created.push_back(control.Name());
        return std::make_unique<Peer>(*this, control);
    }
    std::vector<std::string> created, changes, destroyed;
};

class ControlLayer : public ::testing::Test {
protected:
    torvane::testing::HeadlessHost host;
    Application app{host};
    RecordingFactory factory;
};

TEST_F(ControlLayer, HeadlessControlsKeepTheirStateWithoutPeers) {
    Form form(app, "Form");
    Label label(&form, "Label");
    label.SetCaption("Hello");
    label.SetBounds(1, 2, 3, 4);
    EXPECT_FALSE(label.Realized());
    EXPECT_EQ(label.Caption(), "Hello");
    EXPECT_EQ(label.GetBounds(), (Bounds{1, 2, 3, 4}));
    form.Realize();  // no factory: stays headless
    EXPECT_FALSE(label.Realized());
}

TEST_F(ControlLayer, RealizeCreatesPeersParentFirstAndForwardsChanges) {
    Form form(app, "Form");
    Panel panel(&form, "Panel");
    Label label(&panel, "Label");
    form.SetPeerFactory(&factory);
    form.Realize();
    EXPECT_EQ(factory.created, (std::vector<std::string>{"Form", "Panel", "Label"}));
    factory.changes.clear();
    label.SetCaption("x");
    label.SetCaption("x");  // unchanged: not forwarded again
    label.SetLeft(7);
    EXPECT_EQ(factory.changes, (std::vector<std::string>{"Label:Caption", "Label:Bounds"}));
}

TEST_F(ControlLayer, AControlParentedIntoARealizedTreeGetsItsPeersThen) {
    Form form(app, "Form");
    form.SetPeerFactory(&factory);
    form.Realize();
    Panel loose(nullptr, "Loose");
    Label inner(&loose, "Inner");
    EXPECT_FALSE(loose.Realized());
    loose.SetParent(&form);
    EXPECT_TRUE(loose.Realized());
    EXPECT_TRUE(inner.Realized());
    loose.SetParent(nullptr);
    EXPECT_FALSE(loose.Realized());
}

TEST_F(ControlLayer, PagesAreAddedHiddenExceptTheFirstAndOneIsActive) {
    Form form(app, "Form");
    PageControl pages(&form, "Pages");
    pages.SetBounds(40, 72, 712, 377);
    Page& first = pages.AddPage("First");
    Page& second = pages.AddPage("Second");
    EXPECT_EQ(pages.ActivePage(), &first);
    EXPECT_TRUE(first.Visible());
    EXPECT_FALSE(second.Visible());
    EXPECT_EQ(second.GetBounds(), (Bounds{0, 0, 712, 377}));
    pages.SetActivePage(&second);
    EXPECT_FALSE(first.Visible());
    EXPECT_TRUE(second.Visible());
    EXPECT_FALSE(second.Showing());  // forms start hidden
    form.SetVisible(true);
    EXPECT_TRUE(second.Showing());
    EXPECT_FALSE(first.Showing());
    form.SetVisible(false);
    EXPECT_FALSE(second.Showing());
}

TEST_F(ControlLayer, AHiddenPageMakesItsControlsAndPicturesOnlyWhenFirstShown) {
    Form form(app, "Form");
    PageControl pages(&form, "Pages");
    Page& first = pages.AddPage("First");
    Page& second = pages.AddPage("Second");
    Label shown(&first, "Shown");
    Image later(&second, "Later");
    int decoded = 0;
    later.SetPictureLoader([&decoded] {
        ++decoded;
        return std::make_shared<Bitmap>();
    });
    form.SetPeerFactory(&factory);
    form.Realize();
    EXPECT_TRUE(shown.Realized());
    EXPECT_TRUE(second.Realized());
    EXPECT_FALSE(later.Realized());
    EXPECT_EQ(decoded, 0);
    pages.SetActivePage(&second);
    EXPECT_TRUE(later.Realized());
    ASSERT_NE(later.Picture(), nullptr);
    EXPECT_NE(later.Picture(), nullptr);
    EXPECT_EQ(decoded, 1);  // once
}

TEST_F(ControlLayer, DestroyingAParentDetachesItsChildren) {
    auto panel = std::make_unique<Panel>(nullptr, "Panel");
    Label label(panel.get(), "Label");
    panel.reset();
    EXPECT_EQ(label.Parent(), nullptr);
}

TEST_F(ControlLayer, DispatchHandsFailuresToTheHandlerAndDropsSilentAborts) {
    std::vector<std::string> handled;
    app.SetExceptionHandler([&](const std::exception& e) { handled.push_back(e.what()); });
    app.Dispatch([] { throw EAbort(); });
    app.Dispatch([] { throw EFCreateError("C:\\x.exe", "Access is denied"); });
    app.Dispatch([] { throw 42; });
    app.Dispatch([] {});
    EXPECT_EQ(handled,
              (std::vector<std::string>{"Cannot create file \"C:\\x.exe\". Access is denied",
                                        "Unknown failure"}));
}

TEST_F(ControlLayer, EachControlTellsAScreenReaderWhatItIsAndIsPressedByItsDefaultAction) {
    Form form(app, "Form");
    int clicks = 0;
    TLbSpeedButton next(&form, "Next");
    next.SetCaption("&Next");
    next.OnClick = [&](Control&) { ++clicks; };
    Label text(&form, "Text");
    text.SetCaption("Thanks for installing");
    Label link(&form, "Link");
    link.SetCaption("license agreement");
    link.SetHandCursor(true);
    link.OnClick = [&] { ++clicks; };
    Image icon(&form, "Icon");
    icon.Description = "Torvane P2P";
    Image art(&form, "Art");
    ProgressBar bar(&form, "Bar");
    bar.SetMax(200);
    bar.SetPosition(51);
    Panel header(&form, "Header");
    header.SetCaption("Welcome");
    CheckBox check(&form, "Check");
    check.SetCaption("&Create a shortcut");

    struct Row {
        Control* control;
        AccessibleRole role;
        std::string name, value, action;
        bool hidden;
    } rows[] = {
        {&next, AccessibleRole::PushButton, "Next", "", "Press", false},
        {&text, AccessibleRole::StaticText, "Thanks for installing", "", "", false},
        {&link, AccessibleRole::Link, "license agreement", "", "Jump", false},
        {&icon, AccessibleRole::Graphic, "Torvane P2P", "", "", false},
        {&art, AccessibleRole::Graphic, "", "", "", true},
        {&bar, AccessibleRole::ProgressBar, "", "26%", "", false},
        {&header, AccessibleRole::StaticText, "Welcome", "", "", false},
        {&check, AccessibleRole::Default, "", "", "", false},  // the system's button says it
    };
    for (const Row& row : rows) {
        const AccessibleInfo info = Describe(*row.control);
        EXPECT_EQ(info.role, row.role) << row.control->Name();
        EXPECT_EQ(info.name, row.name) << row.control->Name();
        EXPECT_EQ(info.value, row.value) << row.control->Name();
        EXPECT_EQ(info.defaultAction, row.action) << row.control->Name();
        EXPECT_EQ(info.hidden, row.hidden) << row.control->Name();
        EXPECT_EQ(DoDefaultAction(*row.control), !row.action.empty()) << row.control->Name();
    }
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(next.Pressed());
}

}  // namespace
}  // namespace torvane::ui
