#include <gtest/gtest.h>

#include "tessera/controls/edit.h"
#include "tessera/controls/slider.h"
#include "tests/tessera_controls/controls_fixture.h"

namespace tctl_test {
namespace {

using N = Notification;

// Slider at client (0, 0)-(200, 30), value 0..100 unless changed.
struct SliderHost {
    HostWindow host;
    MSlider* slider = host.Create<MSlider>(L"MSlider", 40, CRect(0, 0, 200, 30));
};

TEST(Slider, PressJumpsAndReleaseClicks) {
    SliderHost s;
    s.slider->SetMaxProgress(100);
    PressRelease(s.host, {100, 15}, {100, 15});
    EXPECT_EQ(s.slider->GetProgress(), 50);
    EXPECT_EQ(s.host.Take(),
              (std::vector<N>{{40, NOTIFY_SCROLL, 50, 0}, {40, NOTIFY_CLICK, 0, 0}}));
}

TEST(Slider, DraggingTheThumbClampsAtBothEnds) {
    SliderHost s;
    s.slider->SetMaxProgress(100);
    s.slider->SetProgress(50);
    const CRect thumb = s.slider->GetThumbRect();
    const CPoint grip = thumb.CenterPoint();
    s.host.Move(grip);
    s.host.Platform().MouseDown(s.host.Window(), grip);
    EXPECT_EQ(s.slider->GetState(), BUTTON_STATE_DOWN);
    s.host.Move({-50, 15});
    EXPECT_EQ(s.slider->GetProgress(), 0);
    EXPECT_EQ(s.slider->GetThumbRect().left, 0);
    s.host.Move({500, 15});
    EXPECT_EQ(s.slider->GetProgress(), 100);
    EXPECT_EQ(s.slider->GetThumbRect().right, 200);
    s.host.Platform().MouseUp(s.host.Window(), {500, 15});
    const auto notes = s.host.Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back(), (N{40, NOTIFY_CLICK, 0, 0}));
    EXPECT_EQ(notes[notes.size() - 2], (N{40, NOTIFY_SCROLL, 100, 0}));
}

TEST(Slider, SetProgressEdges) {
    SliderHost s;
    s.slider->SetMinProgress(10);
    s.slider->SetMaxProgress(100);
    struct Case {
        int set;
        int expected;
    };
    for (const Case c : {Case{150, 100}, Case{-1, 100}, Case{40, 40}, Case{40, 40}, Case{5, 10}}) {
        s.slider->SetProgress(c.set);
        EXPECT_EQ(s.slider->GetProgress(), c.expected) << "SetProgress(" << c.set << ")";
    }
    EXPECT_TRUE(s.host.Take().empty()) << "setting from code notifies nobody";
}

TEST(Slider, WheelMovesByOneAndReportsLikeAClick) {
    SliderHost s;
    s.slider->SetMaxProgress(100);
    s.slider->SetProgress(50);
    s.host.Platform().Wheel(s.host.Window(), {100, 15}, 120);
    EXPECT_EQ(s.slider->GetProgress(), 51);
    s.host.Platform().Wheel(s.host.Window(), {100, 15}, -120);
    s.host.Platform().Wheel(s.host.Window(), {100, 15}, -120);
    EXPECT_EQ(s.slider->GetProgress(), 49);
    EXPECT_EQ(s.host.Take(), (std::vector<N>{{40, NOTIFY_SCROLL, 51, 0},
                                             {40, NOTIFY_CLICK, 0, 0},
                                             {40, NOTIFY_SCROLL, 50, 0},
                                             {40, NOTIFY_CLICK, 0, 0},
                                             {40, NOTIFY_SCROLL, 49, 0},
                                             {40, NOTIFY_CLICK, 0, 0}}));
    s.slider->SetProgress(0);
    s.host.Platform().Wheel(s.host.Window(), {100, 15}, -120);
    EXPECT_EQ(s.slider->GetProgress(), 0);
    EXPECT_TRUE(s.host.Take().empty()) << "nothing moved at the end, nothing reported";
}

TEST(Slider, EmptyRangeNeverDividesByZero) {
    SliderHost s;
    s.slider->SetMaxProgress(0);  // maximum == minimum, as a missing amplitude setting gives
    s.slider->SetControlRect(CRect(0, 0, 180, 30));
    EXPECT_EQ(s.slider->GetThumbRect().left, 0);
    PressRelease(s.host, {150, 15}, {170, 15});
    s.host.Platform().Wheel(s.host.Window(), {100, 15}, 120);
    EXPECT_EQ(s.slider->GetProgress(), 0);
    EXPECT_EQ(s.slider->MoveThumbPos({90, 15}), 0);
    EXPECT_EQ(s.host.Take(), (std::vector<N>{{40, NOTIFY_CLICK, 0, 0}}));
    s.host.Paint();
}

TEST(Slider, FillFollowsTheThumb) {
    ScratchSkin skin;
    skin.WriteSolid(L"track.png", 4, 6, 0xFF0000FF);
    skin.WriteSolid(L"fill.png", 4, 6, 0xFFFF0000);
    SliderHost s;
    ASSERT_EQ(s.slider->SetBackGroundImage(L"track.png"), 1);
    ASSERT_EQ(s.slider->SetForeGroundImage(L"fill.png"), 1);
    EXPECT_EQ(s.slider->SetBackGroundImage(L"missing.png"), 0);
    s.slider->SetThumbSize({10, 30});
    s.slider->SetMaxProgress(100);
    s.slider->SetProgress(50);  // thumb x = 95, fill from 8 to 8 + 95 + 10
    const Surface& screen = s.host.Paint();
    EXPECT_TRUE(RgbNear(RgbAt(screen, 20, 15), 0xFF0000));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 110, 15), 0xFF0000));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 150, 15), 0x0000FF));
    EXPECT_FALSE(RgbNear(RgbAt(screen, 4, 15), 0x0000FF)) << "the track starts 8 pixels in";
}

// An edit field at client (10, 10)-(210, 40) in the host panel.
struct EditHost {
    HostWindow host;
    MEdit* edit = Make();
    MEdit* Make() {
        auto* e = dynamic_cast<MEdit*>(
            host.Dialog().GetControl(900)
                ? static_cast<MPanel*>(host.Dialog().GetControl(900))
                      ->CreateControl(L"MEdit", 50, CRect(10, 10, 210, 40), L"type here")
                : nullptr);
        return e;
    }
    NativeEdit& Field() { return *host.Platform().LastEdit(); }
    void Open() { PressRelease(host, {100, 25}, {100, 25}); }
    void ClickAway() { host.Click({300, 200}); }
};

TEST(Edit, SessionNotificationsInOrder) {
    EditHost e;
    ASSERT_NE(e.edit, nullptr);
    EXPECT_EQ(e.edit->GetTitleEx(), L"type here") << "the creation title is the hint";
    EXPECT_EQ(e.edit->GetEditText(), L"");
    e.Open();
    ASSERT_NE(e.edit->GetEditHwnd(), nullptr);
    EXPECT_EQ(e.edit->IsEditFocused(), 1);
    NullPlatform::TypeInto(e.Field(), L"ab");
    EXPECT_EQ(e.edit->GetEditText(), L"ab") << "the live text while open";
    e.ClickAway();
    EXPECT_EQ(e.edit->GetEditHwnd(), nullptr);
    EXPECT_EQ(e.edit->GetTitle(), L"ab");
    EXPECT_EQ(e.host.Take(), (std::vector<N>{{50, NOTIFY_EDITBEGIN, 0, 0},
                                             {50, NOTIFY_DOWN, 0, 0},
                                             {50, NOTIFY_CLICK, 0, 0},
                                             {50, NOTIFY_TEXTCHANGE, 0, 0},
                                             {50, NOTIFY_TEXTCHANGE, 0, 0},
                                             {50, NOTIFY_EDITEND, 0, 0}}));

    // Typing goes on after the text, and Enter ends the session.
    e.Open();
    EXPECT_EQ(e.Field().GetText(), L"ab");
    NullPlatform::TypeInto(e.Field(), L"c");
    NullPlatform::PressEditKey(e.Field(), 0x0D);
    EXPECT_EQ(e.edit->GetTitle(), L"abc");
    EXPECT_EQ(e.edit->IsEditOpen(), 0);
}

TEST(Edit, TextFromCodeDoesNotEcho) {
    EditHost e;
    e.Open();
    e.host.Take();
    e.edit->SetTitle(L"#FF0000");
    e.edit->SetEditText(L"#00FF00");
    EXPECT_EQ(e.Field().GetText(), L"#00FF00") << "the open field follows";
    EXPECT_TRUE(e.host.Take().empty());
    EXPECT_EQ(e.edit->GetTitle(), L"#00FF00") << "GetTitle closes the field first";
    EXPECT_EQ(e.host.Take(), (std::vector<N>{{50, NOTIFY_EDITEND, 0, 0}}));
}

TEST(Edit, InputRules) {
    struct Case {
        const char* what;
        std::function<void(MEdit&)> setUp;
        std::wstring typed;
        std::wstring kept;
        int changes;
        bool input_method;
    };
    const Case cases[] = {
        {"plain", [](MEdit&) {}, L"a1b2", L"a1b2", 4, true},
        {"numbers only", [](MEdit& m) { m.SetNumberOnly(1); }, L"a1b2", L"12", 2, true},
        {"limit", [](MEdit& m) { m.SetLimitText(3); }, L"abcdef", L"abc", 3, true},
        {"capture field swallows characters, with the input method off",
         [](MEdit& m) {
             m.SetTitle(L"Ctrl+A");
             m.EnableCharMessage(0);
         },
         L"xyz", L"Ctrl+A", 0, false},
    };
    for (const Case& c : cases) {
        EditHost e;
        c.setUp(*e.edit);
        e.Open();
        e.host.Take();
        EXPECT_EQ(e.Field().IsInputMethodEnabled(), c.input_method) << c.what;
        NullPlatform::TypeInto(e.Field(), c.typed);
        EXPECT_EQ(e.Field().GetText(), c.kept) << c.what;
        int changes = 0;
        for (const N& n : e.host.Take()) {
            changes += n.code == NOTIFY_TEXTCHANGE ? 1 : 0;
        }
        EXPECT_EQ(changes, c.changes) << c.what;
        EXPECT_EQ(e.edit->GetTitle(), c.kept) << c.what;
    }
}

TEST(Edit, ReadOnlyOrDisabledNeverOpens) {
    for (int readOnly : {1, 0}) {
        EditHost e;
        if (readOnly) {
            e.edit->SetReadOnly(1);
        } else {
            e.edit->SetEnabled(0);
        }
        e.Open();
        EXPECT_EQ(e.edit->GetEditHwnd(), nullptr);
        for (const N& n : e.host.Take()) {
            EXPECT_NE(n.code, NOTIFY_EDITBEGIN);
        }
    }
}

TEST(Edit, KeyboardFocusOpensAndClosesTheField) {
    EditHost e;
    e.edit->SetControlFocus(1);
    EXPECT_NE(e.edit->GetEditHwnd(), nullptr);
    EXPECT_EQ(e.edit->GetState(), BUTTON_STATE_DOWN);
    e.edit->SetControlFocus(0);
    EXPECT_EQ(e.edit->GetEditHwnd(), nullptr);
    EXPECT_EQ(e.host.Take(),
              (std::vector<N>{{50, NOTIFY_EDITBEGIN, 0, 0}, {50, NOTIFY_EDITEND, 0, 0}}));
}

TEST(Edit, HidingClosesTheField) {
    EditHost e;
    e.Open();
    ASSERT_NE(e.edit->GetEditHwnd(), nullptr);
    NullPlatform::TypeInto(e.Field(), L"kept");
    e.edit->SetVisible(0);
    EXPECT_FALSE(e.Field().IsVisible());
    EXPECT_EQ(e.edit->GetTitle(), L"kept");
}

TEST(Edit, InnerButtonReportsAndNarrowsTheText) {
    ScratchSkin skin;
    skin.WriteSolid(L"inner.png", 40, 10, 0xFF00FF00);  // four 10 x 10 frames
    EditHost e;
    const CRect before = e.edit->GetTextRect();
    ASSERT_EQ(e.edit->SetIconImage(L"inner.png", 4), 1);
    EXPECT_EQ(e.edit->GetButtonRect(), CRect(191, 20, 201, 30));
    EXPECT_EQ(e.edit->GetTextRect().right, 191 - 6);
    EXPECT_EQ(e.edit->GetTextRect().left, before.left);

    e.host.Move({195, 25});
    EXPECT_EQ(e.edit->GetButtonState(), 1);
    PressRelease(e.host, {195, 25}, {195, 25});
    EXPECT_EQ(e.edit->GetEditHwnd(), nullptr) << "the inner button does not open the field";
    EXPECT_EQ(From(e.host.Take(), 50),
              (std::vector<N>{{50, NOTIFY_SUBDOWN, 0, 0}, {50, NOTIFY_SUBCLICK, 0, 0}}));
    EXPECT_TRUE(RgbNear(RgbAt(e.host.Paint(), 195, 25), 0x00FF00));
}

TEST(Edit, DrawsHintThenPasswordDots) {
    EditHost e;
    e.edit->SetTextColors(0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFF808080);
    auto reddish = [](const Surface& s) {
        int count = 0;
        for (int y = 10; y < 40; ++y) {
            for (int x = 10; x < 210; ++x) {
                const std::uint32_t p = RgbAt(s, x, y);
                count += ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) < 80 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_EQ(reddish(e.host.Paint()), 0) << "the hint is grey";
    e.edit->SetTitle(L"secret");
    const int plain = reddish(e.host.Paint());
    EXPECT_GT(plain, 0);
    e.edit->EnablePassWord(1);
    EXPECT_EQ(e.edit->GetPassWordChar(), L'\u25CF');
    const int masked = reddish(e.host.Paint());
    EXPECT_GT(masked, 0);
    EXPECT_NE(masked, plain) << "six dots, not the letters";
}

}  // namespace
}  // namespace tctl_test
