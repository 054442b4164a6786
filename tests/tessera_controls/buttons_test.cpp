#include <gtest/gtest.h>

#include "tessera/controls/check_buttons.h"
#include "tessera/controls/color_button.h"
#include "tessera/controls/layer_button.h"
#include "tessera/controls/push_buttons.h"
#include "tessera/controls/switch_button.h"
#include "tessera/core/paint_manager.h"
#include "tests/tessera_controls/controls_fixture.h"

namespace tctl_test {
namespace {

using N = Notification;

TEST(CheckButton, LooksAndNotificationsFollowThePointer) {
    HostWindow host;
    auto* box = host.Create<CCheckButton>(L"CCheckButton", 10, CRect(10, 10, 110, 40));
    ASSERT_NE(box, nullptr);

    struct Step {
        const char* what;
        std::function<void()> act;
        int look;
        int check;
        std::vector<N> notes;
    };
    const std::vector<Step> steps = {
        {"hover",
         [&] {
             host.Move({20, 20});
         },
         1,
         0,
         {}},
        {"press",
         [&] {
             host.Platform().MouseDown(host.Window(), {20, 20});
         },
         2,
         0,
         {}},
        {"release inside",
         [&] {
             host.Platform().MouseUp(host.Window(), {20, 20});
         },
         5,
         1,
         {{10, NOTIFY_CLICK, 0, 0}}},
        {"leave",
         [&] {
             host.Move({200, 200});
         },
         4,
         1,
         {}},
        {"drag out",
         [&] {
             PressRelease(host, {20, 20}, {200, 200});
         },
         4,
         1,
         {}},
        {"disable", [&] { box->SetEnabled(0); }, 7, 1, {}},
        {"pressed while disabled",
         [&] {
             PressRelease(host, {20, 20}, {20, 20});
         },
         7,
         1,
         {}},
        {"enable", [&] { box->SetEnabled(1); }, 4, 1, {}},
        {"click again",
         [&] {
             PressRelease(host, {20, 20}, {20, 20});
         },
         1,
         0,
         {{10, NOTIFY_CLICK, 0, 0}}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(box->GetLook(), step.look) << step.what;
        EXPECT_EQ(box->GetCheck(), step.check) << step.what;
        EXPECT_EQ(From(host.Take(), 10), step.notes) << step.what;
    }
}

TEST(CheckButton, SpaceWithFocusTogglesAndReportsTheCheck) {
    HostWindow host;
    auto* box = host.Create<CCheckButton>(L"CCheckButton", 10, CRect(10, 10, 110, 40));
    EXPECT_EQ(box->OnControlKeyDown(32, 1, 0), 0) << "no focus, no toggle";
    box->SetControlFocus(1);
    EXPECT_EQ(box->OnControlKeyDown(32, 1, 0), 1);
    EXPECT_EQ(box->GetCheck(), 1);
    EXPECT_EQ(host.Take(), (std::vector<N>{{10, NOTIFY_CHECK, 0, 1}}));
    box->SetEnabled(0);
    EXPECT_EQ(box->SetCheck(0), 1) << "SetCheck does nothing while disabled";
}

TEST(CheckButton, CachedLooksShowTheBoxOfTheState) {
    ScratchSkin skin;
    skin.WriteSolid(L"box_off.png", 10, 10, 0xFFFF0000);
    skin.WriteSolid(L"box_on.png", 10, 10, 0xFF00FF00);
    skin.WriteSolid(L"box_off_grey.png", 10, 10, 0xFF0000FF);
    HostWindow host;
    auto* box = host.Create<CCheckButton>(L"CCheckButton", 10, CRect(10, 10, 110, 40));
    ASSERT_EQ(box->SetNormalImage(L"box_off.png"), 1);
    ASSERT_EQ(box->SetDownImage(L"box_on.png"), 1);
    ASSERT_EQ(box->SetDisableImage(L"box_off_grey.png"), 1);
    const CPoint boxCentre(10 + 17, 25);  // the 35-pixel column at the left

    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), boxCentre.x, boxCentre.y), 0xFF0000));
    box->SetCheck(1);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), boxCentre.x, boxCentre.y), 0x00FF00));
    box->SetEnabled(0);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), boxCentre.x, boxCentre.y), 0x0000FF));
    // Eight looks side by side in one cache.
    EXPECT_EQ(box->GetMemDC().Width(), 8 * 100);
}

TEST(RadioButton, ClickChecksItselfAndClearsOnlyItsGroup) {
    HostWindow host;
    auto* a = host.Create<CRadioButton>(L"CRadioButton", 1, CRect(0, 0, 80, 30));
    auto* b = host.Create<CRadioButton>(L"CRadioButton", 2, CRect(0, 40, 80, 70));
    auto* hidden = host.Create<CRadioButton>(L"CRadioButton", 3, CRect(0, 80, 80, 110));
    auto* other = host.Create<CRadioButton>(L"CRadioButton", 4, CRect(0, 120, 80, 150));
    auto* check = host.Create<CCheckButton>(L"CCheckButton", 5, CRect(0, 160, 80, 190));
    for (CRadioButton* r : {a, b, hidden}) {
        r->SetGroupName(L"mode");
    }
    other->SetGroupName(L"Mode");  // group names are case-sensitive
    a->SetCheck(1);
    hidden->SetControlCheck(1);
    other->SetCheck(1);
    check->SetCheck(1);
    hidden->SetVisible(0);
    host.Take();

    PressRelease(host, {10, 50}, {10, 50});
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(a->GetCheck(), 0);
    EXPECT_EQ(a->GetLook(), 0);
    EXPECT_EQ(hidden->GetCheck(), 0) << "hidden siblings are cleared too";
    EXPECT_EQ(other->GetCheck(), 1);
    EXPECT_EQ(check->GetCheck(), 1) << "another class is no sibling";
    EXPECT_EQ(host.Take(), (std::vector<N>{{2, NOTIFY_CLICK, 0, 0}}));

    PressRelease(host, {10, 50}, {10, 50});
    EXPECT_EQ(b->GetCheck(), 1) << "a radio button never unchecks itself";
    EXPECT_EQ(host.Take(), (std::vector<N>{{2, NOTIFY_CLICK, 0, 0}}));
}

TEST(RadioButton, GroupOnTheDialogAndWithoutParent) {
    HostWindow host;
    auto* a = dynamic_cast<CRadioButton*>(
        host.Dialog().CreateControl(L"CRadioButton", 31, CRect(300, 0, 380, 30), L"a"));
    auto* b = dynamic_cast<CRadioButton*>(
        host.Dialog().CreateControl(L"CRadioButton", 32, CRect(300, 40, 380, 70), L"b"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->SetCheck(1);
    b->SetCheck(1);
    EXPECT_EQ(a->GetCheck(), 0) << "siblings on a dialog are its control list";
    EXPECT_EQ(a->ResetGroupCheck(), 1);

    CRadioButton orphan(nullptr, 1, CRect(0, 0, 10, 10), L"", 1, 1);
    EXPECT_EQ(orphan.ResetGroupCheck(), 0);
}

TEST(SelectButton, NeverExclusiveByItself) {
    HostWindow host;
    auto* a = host.Create<CSelectButton>(L"CSelectButton", 1, CRect(0, 0, 80, 30));
    auto* b = host.Create<CSelectButton>(L"CSelectButton", 2, CRect(100, 0, 180, 30));
    a->SetGroupName(L"g");
    b->SetGroupName(L"g");
    a->SetCheck(1);
    PressRelease(host, {110, 10}, {110, 10});
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(b->GetLook(), BUTTON_STATE_DOWN) << "checked shows the down look";
    EXPECT_EQ(b->ResetGroupCheck(), 1);
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(From(host.Take(), 2), (std::vector<N>{{2, NOTIFY_CLICK, 0, 0}}));
    host.Move({300, 200});
    EXPECT_EQ(b->GetLook(), BUTTON_STATE_DOWN) << "leaving keeps the checked look";
    a->SetCheck(0);
    EXPECT_EQ(a->GetLook(), BUTTON_STATE_NORMAL);
}

TEST(ColorButton, PressChecksAndClearsOnlyLiveSiblingsOfTheGroup) {
    HostWindow host;
    auto* red = host.Create<CColorButton>(L"CColorButton", 1, CRect(0, 0, 30, 30));
    auto* green = host.Create<CColorButton>(L"CColorButton", 2, CRect(40, 0, 70, 30));
    auto* blue = host.Create<CColorButton>(L"CColorButton", 3, CRect(80, 0, 110, 30));
    for (CColorButton* c : {red, green, blue}) {
        c->SetGroupName(L"swatch");
    }
    red->SetColor(RGB(255, 0, 0));
    green->SetColor(RGB(0, 255, 0));
    blue->SetColor(RGB(0, 0, 255));
    green->SetCheck(1);
    blue->SetCheck(1);
    EXPECT_EQ(green->GetCheck(), 0);
    green->SetCheck(1);
    blue->SetCheck(0);
    blue->SetEnabled(0);
    blue->SetControlCheck(1);
    host.Take();

    PressRelease(host, {10, 10}, {10, 10});
    EXPECT_EQ(red->GetCheck(), 1);
    EXPECT_EQ(green->GetCheck(), 0);
    EXPECT_EQ(blue->GetCheck(), 1) << "a disabled swatch keeps its check";
    EXPECT_EQ(host.Take(), (std::vector<N>{{1, NOTIFY_DOWN, 0, 0}, {1, NOTIFY_CLICK, 0, 0}}));

    // The colour (0x00BBGGRR) fills the swatch; the checked one shows the outline look.
    const Surface& screen = host.Paint();
    EXPECT_TRUE(RgbNear(RgbAt(screen, 55, 15), 0x00FF00));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 15, 15), 0xFF0000));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 1, 15), 0xF5F5F5, 12));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 41, 15), 0x00FF00)) << "unchecked, normal: no outline";
}

TEST(ColorButton, OnADialogHasNoGroup) {
    HostWindow host;
    auto* a = dynamic_cast<CColorButton*>(
        host.Dialog().CreateControl(L"CColorButton", 41, CRect(300, 0, 330, 30), L""));
    auto* b = dynamic_cast<CColorButton*>(
        host.Dialog().CreateControl(L"CColorButton", 42, CRect(340, 0, 370, 30), L""));
    a->SetCheck(1);
    b->SetCheck(1);
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(b->ResetGroupCheck(), 0);
}

TEST(PushButtons, ClickSequencesOfTheVariants) {
    struct Case {
        const wchar_t* className;
        std::vector<N> click;        // press and release inside
        std::vector<N> releaseOnly;  // a release inside without a press there
    };
    const Case cases[] = {
        {L"MButton", {{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}}, {}},
        {L"CImageButton", {{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}}, {}},
        {L"CTextButton", {{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}}, {}},
        {L"MButton2", {{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}}, {}},
        // A layer button counts every release inside.
        {L"LayerButton",
         {{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}},
         {{7, NOTIFY_CLICK, 0, 0}}},
    };
    for (const Case& c : cases) {
        HostWindow host;
        auto* button = host.Create<MButton>(c.className, 7, CRect(10, 10, 90, 40));
        ASSERT_NE(button, nullptr);
        PressRelease(host, {20, 20}, {20, 20});
        EXPECT_EQ(host.Take(), c.click);
        EXPECT_EQ(button->GetState(), BUTTON_STATE_HOVER);
        // The window routes a release to the control pressed; the variant decides alone.
        button->OnControlLButtonUp(0, {20, 20});
        EXPECT_EQ(host.Take(), c.releaseOnly);
        PressRelease(host, {20, 20}, {200, 200});
        EXPECT_EQ(From(host.Take(), 7), (std::vector<N>{{7, NOTIFY_DOWN, 0, 0}}));
        EXPECT_EQ(button->GetState(), BUTTON_STATE_NORMAL);
    }
}

TEST(PushButtons, ImageButtonCentresItsStateImageAndShowsTheHand) {
    ScratchSkin skin;
    skin.WriteSolid(L"n.png", 10, 10, 0xFFFF0000);
    skin.WriteSolid(L"h.png", 10, 10, 0xFF00FF00);
    HostWindow host;
    auto* button = host.Create<CImageButton>(L"CImageButton", 7, CRect(0, 0, 40, 40));
    button->SetNormalImage(L"n.png");
    button->SetHoverImage(L"h.png");
    const Surface& normal = host.Paint();
    EXPECT_TRUE(RgbNear(RgbAt(normal, 20, 20), 0xFF0000));
    EXPECT_FALSE(RgbNear(RgbAt(normal, 5, 5), 0xFF0000)) << "drawn at its own size";
    host.Move({20, 20});
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 20, 20), 0x00FF00));
    EXPECT_EQ(button->GetCursor(), CursorKind::kHand);
}

TEST(PushButtons, LayerButtonShowsDownWhileChecked) {
    HostWindow host;
    auto* layer = host.Create<LayerButton>(L"LayerButton", 7, CRect(0, 0, 90, 30));
    EXPECT_EQ(layer->SetNormalIcon(L"missing.png"), 1) << "a missing icon is no failure";
    EXPECT_EQ(layer->SetCheck(1), 1);
    EXPECT_EQ(layer->GetLook(), BUTTON_STATE_DOWN);
    host.Move({10, 10});
    EXPECT_EQ(layer->GetLook(), BUTTON_STATE_DOWN);
    layer->SetCheck(0);
    EXPECT_EQ(layer->GetLook(), BUTTON_STATE_HOVER);
}

TEST(SwitchButton, ClickTogglesAndRedrawsTheStrip) {
    ScratchSkin skin;
    Surface on(40, 10);  // four 10 x 10 frames
    on.Fill(on.Bounds(), PremultiplyArgb(0xFF00FF00));
    skin.Write(L"on.png", on);
    skin.WriteSolid(L"off.png", 40, 10, 0xFFFF0000);
    HostWindow host;
    auto* sw = host.Create<CSwitchButton>(L"CSwitchButton", 8, CRect(0, 0, 40, 20));
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->SetImage(L"on.png", L"off.png", 4), 1);
    EXPECT_EQ(sw->SetImage(L"gone.png", L"off.png", 4), 1) << "always 1";
    sw->SetImage(L"on.png", L"off.png", 4);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 5, 10), 0xFF0000));

    PressRelease(host, {5, 10}, {5, 10});
    EXPECT_EQ(sw->GetCheck(), 1);
    EXPECT_EQ(host.Take(), (std::vector<N>{{8, NOTIFY_CLICK, 0, 1}}));
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 5, 10), 0x00FF00));
    PressRelease(host, {5, 10}, {200, 200});
    EXPECT_EQ(sw->GetCheck(), 1) << "released outside: no toggle";
    EXPECT_TRUE(host.Take().empty());

    sw->SetEnabled(0);
    EXPECT_EQ(sw->GetState(), BUTTON_STATE_DISABLED);
    sw->SetEnabled(1);
    EXPECT_EQ(sw->GetState(), BUTTON_STATE_NORMAL);
    EXPECT_EQ(sw->OnControlKeyDown(32, 1, 0), 0) << "keys are not handled";
}

TEST(HelpButton, BalloonWhileThePointerIsOver) {
    HostWindow host;
    auto* help = dynamic_cast<CHelpButton*>(
        host.Dialog().CreateControl(L"CHelpButton", 9, CRect(300, 10, 320, 30), L"What is this?"));
    ASSERT_NE(help, nullptr);
    PaintManager& manager = host.Dialog().GetPaintManager();
    host.Move({310, 20});
    EXPECT_EQ(manager.GetTooltipCtrlID(), 9);
    host.Move({100, 200});
    EXPECT_EQ(manager.GetTooltipCtrlID(), 0);
}

}  // namespace
}  // namespace tctl_test
