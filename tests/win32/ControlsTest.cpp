// The peers that are standard Windows controls (check boxes, radio buttons,
// edit boxes, memos), the radio group's frame, the hand cursor of links, and
// the built-in pictures on screen, driven through the host's message path as
// the keyboard and mouse drive them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fixture.h"
#include "base/Exceptions.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Pictures.h"
#include "ui/RadioGroup.h"
#include "ui/win32/ControlWindow.h"

using namespace torvane;
using namespace torvane::win32test;
using ui::win32::ControlWindow;

namespace {
constexpr LPARAM kAltDown = LPARAM{1} << 29;

// A shown form holding a page control whose one page holds a sky-blue panel
// with a check box, as the licence panel has; an edit box and a second check
// box follow on the form itself (tab order: creation order).
struct Controls : Fixture {
    Controls()
        : form(app, "Form"),
          pages(&form, "Pages"),
          page(pages.AddPage("Page")),
          panel(&page, "Panel"),
          agree(&panel, "Agree"),
          edit(&form, "Edit"),
          other(&form, "Other") {
        form.SetBounds(0, 0, 400, 300);
        form.SetPeerFactory(&factory);
        pages.SetBounds(0, 0, 400, 150);
        pages.SetActivePage(&page);
        page.SetBounds(0, 0, 400, 150);
        panel.SetBounds(10, 10, 380, 100);
        panel.SetColor(ui::colors::SkyBlue);
        agree.SetBounds(10, 10, 300, 20);
        agree.SetColor(ui::colors::SkyBlue);
        agree.SetCaption("&I agree with the licence");
        agree.OnClick = [this] { ++agreeClicks; };
        edit.SetBounds(10, 160, 200, 21);
        other.SetBounds(10, 200, 200, 20);
        other.SetCaption("&Other");
        form.Realize();
        form.Show();
    }
    static HWND Of(const ui::Control& c) { return ControlWindow::WindowOf(&c); }
    // A key as the keyboard sends it to the focused window, then one pass of the pump.
    void Key(UINT message, WPARAM key, LPARAM flags = 0) {
        HWND focus = ::GetFocus();
        ::PostMessageA(focus ? focus : Of(form), message, key, flags | 1);
        host.ProcessMessages();
    }
    bool ShowsChecked(const ui::Control& c) const {
        return ::SendMessageA(Of(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void Click(const ui::Control& c) {
        ::SendMessageA(Of(c), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageA(Of(c), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

    ui::Form form;
    ui::PageControl pages;
    ui::Page& page;
    ui::Panel panel;
    ui::CheckBox agree;
    ui::Edit edit;
    ui::CheckBox other;
    int agreeClicks = 0;
};

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

TEST(Controls, CheckBoxTogglesOnClickAndOnItsAltLetter) {
    Controls c;
    HWND box = Controls::Of(c.agree);
    ASSERT_TRUE(box != nullptr);
    const LONG style = ::GetWindowLongA(box, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, LONG{BS_CHECKBOX});  // not AUTO: the control owns the state
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(reinterpret_cast<HFONT>(::SendMessageA(box, WM_GETFONT, 0, 0)) ==
                c.factory.Context().Fonts().Get(c.agree.GetFont()));

    c.Click(c.agree);
    EXPECT_TRUE(c.agree.Checked());
    EXPECT_TRUE(c.ShowsChecked(c.agree));
    EXPECT_EQ(c.agreeClicks, 1);

    // Alt+I from the keyboard: translated to WM_SYSCHAR, declined by the
    // (absent) bar handler, found by the dialog manager on the nested panel.
    c.Key(WM_SYSKEYDOWN, 'I', kAltDown);
    EXPECT_TRUE(!c.agree.Checked());
    EXPECT_TRUE(!c.ShowsChecked(c.agree));
    EXPECT_EQ(c.agreeClicks, 2);

    c.agree.SetChecked(true);  // from code: shown, no click
    EXPECT_TRUE(c.ShowsChecked(c.agree));
    EXPECT_EQ(c.agreeClicks, 2);

    // Painted on its own colour, not the system's grey (right of the caption).
    Snapshot shot(box);
    EXPECT_EQ(shot.At(295, 10), Ref(ui::colors::SkyBlue));

    // A failing handler reaches the failure handler; the state has changed.
    c.agree.OnClick = [] { throw Exception("agree failed"); };
    c.Click(c.agree);
    EXPECT_TRUE(c.failures == std::vector<std::string>{"agree failed"});
    EXPECT_TRUE(!c.ShowsChecked(c.agree));
}

TEST(Controls, TabMovesTheFocusAndTheEditReportsLeaving) {
    Controls c;
    int exits = 0;
    c.edit.OnExit = [&] { ++exits; };
    ::SetFocus(Controls::Of(c.edit));
    ASSERT_TRUE(::GetFocus() == Controls::Of(c.edit));
    c.Key(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(::GetFocus() == Controls::Of(c.other));
    EXPECT_EQ(exits, 1);
    c.Key(WM_KEYDOWN, VK_TAB);  // round to the first: the check box inside the page
    EXPECT_TRUE(::GetFocus() == Controls::Of(c.agree));
    ::SetFocus(Controls::Of(c.edit));
    ::SetFocus(Controls::Of(c.agree));
    EXPECT_EQ(exits, 2);
}

TEST(Controls, EditReportsTypedTextAndEveryKeyIncludingEnter) {
    Controls c;
    std::string keys;
    int changes = 0;
    c.edit.OnKeyPress = [&](char& key) {
        keys += key;
        if (key == 'x') key = 0;    // swallowed
        if (key == 'a') key = 'A';  // replaced
    };
    c.edit.OnChange = [&] { ++changes; };
    HWND box = Controls::Of(c.edit);
    ::SetFocus(box);
    for (char typed : std::string("axc")) c.Key(WM_CHAR, static_cast<unsigned char>(typed));
    EXPECT_EQ(keys, std::string("axc"));
    EXPECT_EQ(TextOf(box), std::string("Ac"));
    EXPECT_EQ(c.edit.Text(), std::string("Ac"));
    EXPECT_EQ(changes, 2);

    // Enter is not taken by the dialog manager: it arrives as a character.
    c.Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(keys, std::string("axc\r"));
    EXPECT_EQ(c.edit.Text(), std::string("Ac"));

    ::SetWindowTextA(box, "pasted");  // any change of the window's text is reported
    EXPECT_EQ(c.edit.Text(), std::string("pasted"));
    EXPECT_EQ(changes, 3);
    c.edit.SetText("from code");  // shown, and not reported back as typed
    EXPECT_EQ(TextOf(box), std::string("from code"));
    EXPECT_EQ(changes, 3);
}

TEST(Controls, RadioGroupSelectsByClickAndAltLetterInsideItsFrame) {
    Controls c;
    ui::RadioGroup group(&c.form, "Group");
    group.SetBounds(220, 160, 170, 100);
    group.SetCaption("Connection");
    group.SetColor(ui::colors::Cream);
    group.Realize();
    group.SetItems({"&Modem", "&Cable or DSL", "&LAN"});
    const auto& buttons = group.Buttons();
    ASSERT_TRUE(buttons.size() == 3);
    for (const auto& b : buttons) {
        ASSERT_TRUE(Controls::Of(*b) != nullptr);
        EXPECT_TRUE(::GetParent(Controls::Of(*b)) == Controls::Of(group));
        EXPECT_EQ(::GetWindowLongA(Controls::Of(*b), GWL_STYLE) & BS_TYPEMASK,
                  LONG{BS_RADIOBUTTON});
    }
    c.Click(*buttons[1]);
    EXPECT_EQ(group.ItemIndex(), 1);
    c.Key(WM_SYSKEYDOWN, 'L', kAltDown);
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_TRUE(!c.ShowsChecked(*buttons[0]) && !c.ShowsChecked(*buttons[1]) &&
                c.ShowsChecked(*buttons[2]));

    // The frame: an etched edge (shadow, then highlight) around the group's colour.
    Snapshot shot(Controls::Of(group));
    EXPECT_EQ(shot.At(0, 60), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(shot.At(1, 60), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(shot.At(4, 95), Ref(ui::colors::Cream));

    group.SetItems({"One", "Two"});  // the old buttons' windows go with them
    int children = 0;
    for (HWND w = ::GetWindow(Controls::Of(group), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 2);
}

TEST(Controls, ReadOnlyMemoShowsItsLinesAndLetsTabPass) {
    Controls c;
    ui::Memo memo(&c.form, "Memo");
    memo.SetBounds(220, 160, 170, 60);
    memo.SetReadOnly(true);
    memo.AddLine("first");
    memo.AddLine("second");
    memo.Realize();
    HWND box = Controls::Of(memo);
    ASSERT_TRUE(box != nullptr);
    const LONG style = ::GetWindowLongA(box, GWL_STYLE);
    EXPECT_TRUE((style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL)) ==
                (ES_MULTILINE | ES_READONLY | WS_VSCROLL));
    EXPECT_EQ(TextOf(box), std::string("first\r\nsecond"));
    memo.AddLine("third");
    EXPECT_EQ(::SendMessageA(box, EM_GETLINECOUNT, 0, 0), LRESULT{3});

    ::SetFocus(box);
    c.Key(WM_CHAR, 'z');
    EXPECT_EQ(TextOf(box), std::string("first\r\nsecond\r\nthird"));  // not editable
    ::SendMessageA(box, EM_SETSEL, 5, 9);
    memo.ScrollToTop();
    DWORD start = 1, end = 1;
    ::SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_TRUE(start == 0 && end == 0);
    c.Key(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(::GetFocus() != box);
}

TEST(Controls, BuiltInPicturesAppearOnScreen) {
    Controls c;
    c.form.SetColor(ui::colors::Yellow);
    const auto welcome = ui::LoadPicture(ui::PictureId::Welcome);
    const auto finished = ui::LoadPicture(ui::PictureId::Finished);
    ui::Image photo(&c.form, "Photo");
    photo.SetBounds(0, 0, 120, 100);
    photo.SetPicture(welcome);
    ui::Image tick(&c.form, "Tick");
    tick.SetBounds(150, 0, 209, 209);
    tick.SetTransparent(true);
    tick.SetPicture(finished);
    photo.Realize();
    tick.Realize();

    Snapshot photoShot(Controls::Of(photo));
    for (int at : {10, 60, 99}) {
        const std::uint8_t* p =
            &welcome->rgb[(static_cast<std::size_t>(at) * welcome->width + at) * 3];
        EXPECT_EQ(photoShot.At(at, at), RGB(p[0], p[1], p[2]));
    }
    Snapshot tickShot(Controls::Of(tick));
    EXPECT_EQ(tickShot.At(0, 0), Ref(ui::colors::Yellow));  // the key colour is left out
    const std::uint8_t* middle = &finished->rgb[(104u * 209 + 104) * 3];
    EXPECT_EQ(tickShot.At(104, 104), RGB(middle[0], middle[1], middle[2]));
}

TEST(Controls, LinkLabelShowsTheHandCursor) {
    Controls c;
    ui::Label link(&c.form, "Link");
    link.SetBounds(220, 200, 100, 15);
    link.SetCaption("www.example");
    link.SetHandCursor(true);
    link.Realize();
    HCURSOR hand = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    ::SendMessageA(Controls::Of(link), WM_SETCURSOR, reinterpret_cast<WPARAM>(Controls::Of(link)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(::GetCursor() == hand);
    link.SetHandCursor(false);
    ::SendMessageA(Controls::Of(link), WM_SETCURSOR, reinterpret_cast<WPARAM>(Controls::Of(link)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(::GetCursor() != hand);
}

TEST(Controls, ComboBoxShowsItsItemsAndReportsThePick) {
    Controls c;
    ui::ComboBox combo(&c.form, "Combo");
    combo.SetBounds(220, 160, 170, 21);
    combo.AddItem("C:\\Program Files\\Torvane P2P\\");
    combo.AddItem("D:\\Apps\\");
    combo.SetItemIndex(0);
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.Realize();
    HWND box = Controls::Of(combo);
    ASSERT_TRUE(box != nullptr);
    EXPECT_EQ(::GetWindowLongA(box, GWL_STYLE) & 0x3, LONG{CBS_DROPDOWNLIST});
    EXPECT_EQ(::SendMessageA(box, CB_GETCOUNT, 0, 0), LRESULT{2});
    EXPECT_EQ(::SendMessageA(box, CB_GETCURSEL, 0, 0), LRESULT{0});
    EXPECT_EQ(TextOf(box), std::string("C:\\Program Files\\Torvane P2P\\"));
    // The closed box keeps the layout's height; the window below it holds the list.
    RECT closed;
    ::SendMessageA(box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&closed));
    EXPECT_TRUE(closed.bottom - closed.top > 21);

    // The keyboard picks the next entry: reported, not echoed.
    combo.SetFocus();
    EXPECT_TRUE(::GetFocus() == box);
    c.Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Text(), std::string("D:\\Apps\\"));
    EXPECT_EQ(changes, 1);

    combo.Clear();  // from code: the window follows
    EXPECT_EQ(::SendMessageA(box, CB_GETCOUNT, 0, 0), LRESULT{0});
    EXPECT_EQ(combo.Text(), std::string());
}
