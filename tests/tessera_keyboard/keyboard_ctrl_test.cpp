#include "tessera/keyboard/keyboard_ctrl.h"

#include <gtest/gtest.h>

#include "tests/tessera_keyboard/keyboard_fixture.h"

namespace tkbd_test {
namespace {

TEST_F(KeyboardCtrlTest, KeysAreNumberedInOrderAndShiftedByTheOffsetSetBeforeAdding) {
    kb->SetKeyPosition(0, 0);
    EXPECT_EQ(kb->AddKeyItem(L"F2", L"", 59, CRect(100, 0, 140, 40)), 3);
    const auto keys = kb->GetKeyItems();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0]->index, 0);
    EXPECT_EQ(keys[2]->index, 2);
    EXPECT_EQ(keys[0]->rect, CRect(15, 16, 55, 56));
    EXPECT_EQ(keys[3]->rect, CRect(100, 0, 140, 40));
    EXPECT_EQ(keys[0]->desc, L"Escape");
    EXPECT_TRUE(keys[0]->tip.empty() && keys[0]->tip2.empty());
    EXPECT_EQ(kb->GetKeyItems(), keys) << "a copy of the same pointers";
}

TEST_F(KeyboardCtrlTest, LookupsByCodeChangeOnlyTheFirstMatchingKeyAndIgnoreUnknownCodes) {
    kb->SetKeyColor(kF1, RGB(1, 2, 3));
    kb->SetKeyColor(999, RGB(9, 9, 9));
    kb->SetKeyCheck(kGrave, 1);
    kb->SetKeyCheck(999, 1);
    EXPECT_EQ(Key(1).color, RGB(1, 2, 3));
    EXPECT_EQ(Key(1).baseColor, RGB(1, 2, 3));
    EXPECT_EQ(Key(0).color, 0u);
    EXPECT_EQ(Key(2).color, 0u);
    EXPECT_EQ(kb->GetCheckItemCount(), 1);

    kb->SetKeyDesc(kEsc, L"Mute");
    EXPECT_EQ(Key(0).desc, L"Mute");
    kb->SetKeyDesc(kEsc, L"");
    EXPECT_EQ(Key(0).desc, L"Esc");

    kb->SetTipKey(kF1, L"", L"Macro 1");
    EXPECT_EQ(Key(1).desc, L"F1");
    EXPECT_EQ(Key(1).tip2, L"Macro 1");
    kb->ResetTipKey();
    EXPECT_TRUE(Key(1).tip2.empty());
    EXPECT_EQ(kb->GetCheckItemCount(), 0);
}

TEST_F(KeyboardCtrlTest, PressReleaseAndRightClickReportPositionAndCode) {
    struct Case {
        const char* what;
        CPoint point;
        bool right;
        std::vector<Notification> expected;
    };
    const Case cases[] = {
        {"left click on F1",
         kOnB,
         false,
         {{kCtrlId, NOTIFY_DOWN, 1, long{kF1}}, {kCtrlId, NOTIFY_CLICK, 1, long{kF1}}}},
        {"left click beside every key",
         kOnNoKey,
         false,
         {{kCtrlId, NOTIFY_DOWN, kNone, 0}, {kCtrlId, NOTIFY_CLICK, kNone, 0}}},
        {"right click on the grave key", kOnC, true, {{kCtrlId, NOTIFY_RCLICK, 2, long{kGrave}}}},
        {"right click beside every key", kOnNoKey, true, {{kCtrlId, NOTIFY_RCLICK, kNone, 0}}},
    };
    for (const Case& c : cases) {
        host.Move(c.point);
        if (c.right) {
            host.RightClick(c.point);
        } else {
            host.Click(c.point);
        }
        EXPECT_EQ(host.Take(), c.expected) << c.what;
    }
    host.Click(kOnA);
    EXPECT_EQ(kb->GetCurrentKeyValue(), static_cast<int>(kEsc));
    EXPECT_EQ(kb->GetCurrentKey(), 0);
}

TEST_F(KeyboardCtrlTest, ClickTogglesTheLightInSingleColourModeOnly) {
    kb->SetKeyColor(kEsc, RGB(0, 0, 255));
    host.Click(kOnA);
    EXPECT_EQ(Key(0).color, 0u) << "a lit key goes dark";
    host.Click(kOnA);
    EXPECT_EQ(Key(0).color, RGB(0, 0, 255)) << "and comes back in its base colour";

    kb->SetRGBMode(1);
    host.Click(kOnA);
    host.Click(kOnA);
    host.Click(kOnA);
    EXPECT_EQ(Key(0).color, RGB(0, 0, 255));
}

TEST_F(KeyboardCtrlTest, PresetColoursFollowTheModeNotTheArguments) {
    kb->AddKeyItem(L"Q", L"", 20, CRect(200, 0, 240, 40));
    struct Case {
        bool rgb;
        int rainbow;
        COLORREF esc, f1, grave, q;
    };
    const Case cases[] = {
        // Single colour rows whatever is asked for.
        {false, 1, RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)},
        {false, 0, RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)},
        // One colour for every key.
        {true, 0, RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3)},
        // The rainbow map.
        {true, 1, RGB(69, 0, 255), RGB(255, 0, 78), RGB(255, 0, 255), RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        kb->ResetAllItemColor();
        kb->SetRGBMode(c.rgb);
        kb->SetLightModeColor(c.rainbow, RGB(1, 2, 3));
        EXPECT_EQ(Key(0).color, c.esc) << c.rgb << c.rainbow;
        EXPECT_EQ(Key(1).color, c.f1) << c.rgb << c.rainbow;
        EXPECT_EQ(Key(2).color, c.grave) << c.rgb << c.rainbow;
        EXPECT_EQ(Key(3).color, c.q) << c.rgb << c.rainbow;
        EXPECT_EQ(Key(3).baseColor, c.q) << "presets set the base colour too";
    }
}

TEST_F(KeyboardCtrlTest, SelectColourPaintsTheCurrentAndCheckedKeys) {
    host.Click(kOnA);
    kb->SetKeyCheck(kGrave, 1);
    kb->SetAllSelectColor(RGB(7, 8, 9));
    EXPECT_EQ(Key(0).color, RGB(7, 8, 9));
    EXPECT_EQ(Key(1).color, 0u);
    EXPECT_EQ(Key(2).color, RGB(7, 8, 9));
    kb->ResetAllItemCheck(0);
    EXPECT_EQ(kb->GetCurrentKey(), -1);
    EXPECT_EQ(kb->GetCheckItemCount(), 0);
}

class FrameSelectTest : public KeyboardCtrlTest {
protected:
    void SetUp() override {
        KeyboardCtrlTest::SetUp();
        kb->SetRGBMode(1);
        kb->EnableFrameSelect(1);
    }
    void Drag(CPoint from, std::initializer_list<CPoint> path, bool right) {
        host.Move(from);
        host.Platform().MouseDown(host.Window(), from, right);
        for (CPoint p : path) {
            host.Move(p);
        }
    }
    void Release(CPoint at, bool right) { host.Platform().MouseUp(host.Window(), at, right); }
    std::vector<int> Checks() {
        std::vector<int> checks;
        for (KEY_INFO* key : kb->GetKeyItems()) {
            checks.push_back(key->check);
        }
        return checks;
    }
};

TEST_F(FrameSelectTest, MovesOfTwentyPixelsOrLessDoNotStartOrUpdateTheFrame) {
    Drag(CPoint(30, 30), {CPoint(50, 50)}, true);
    EXPECT_FALSE(kb->IsFrameSelecting());
    host.Move(CPoint(80, 40));  // 50 across: the frame starts
    EXPECT_TRUE(kb->IsFrameSelecting());
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));
    host.Move(CPoint(100, 55));  // 20 across, 15 down from the corner: ignored
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));
    host.Move(CPoint(101, 55));  // 21 across: updated
    EXPECT_EQ(Checks(), (std::vector<int>{1, 1, 0}));
    Release(CPoint(101, 55), true);
    EXPECT_EQ(host.Take(), (std::vector<Notification>{{kCtrlId, NOTIFY_FRAMEDONE, 0, 0}}))
        << "a right release ending a frame reports the frame, not a right click";
    EXPECT_FALSE(kb->IsFrameSelecting());
    EXPECT_EQ(Checks(), (std::vector<int>{1, 1, 0})) << "the selection stays";
}

TEST_F(FrameSelectTest, AFrameUnderSixPixelsSelectsNothing) {
    // Along the top keys' row: 60 pixels wide, 5 high.
    Drag(CPoint(30, 40), {CPoint(90, 45)}, true);
    EXPECT_TRUE(kb->IsFrameSelecting());
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
    host.Move(CPoint(120, 46));
    EXPECT_EQ(Checks(), (std::vector<int>{1, 1, 0})) << "6 high selects what it crosses";
}

TEST_F(FrameSelectTest, ALeftDragSelectsAndItsReleaseIsAClick) {
    Drag(CPoint(30, 30), {CPoint(60, 110)}, false);
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 1}));
    Release(CPoint(60, 110), false);
    const auto got = host.Take();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].code, NOTIFY_DOWN);
    EXPECT_EQ(got[1].code, NOTIFY_CLICK);
    EXPECT_FALSE(kb->IsFrameSelecting());

    // A new press clears the checks unless Ctrl is held.
    host.Platform().KeyDown(host.Window(), VK_CONTROL);
    host.Click(kOnNoKey);
    EXPECT_EQ(kb->GetCheckItemCount(), 2);
    host.Platform().KeyUp(host.Window(), VK_CONTROL);
    host.Click(kOnNoKey);
    EXPECT_EQ(kb->GetCheckItemCount(), 0);
}

TEST_F(FrameSelectTest, WithoutRgbModeAFrameSelectsNoKey) {
    kb->SetRGBMode(0);
    Drag(CPoint(30, 30), {CPoint(200, 200)}, true);
    EXPECT_TRUE(kb->IsFrameSelecting());
    EXPECT_EQ(kb->GetCheckItemCount(), 0);
}

TEST_F(KeyboardCtrlTest, ClearItemForgetsHoverAndCurrentKey) {
    host.Move(kOnC);
    host.Click(kOnC);
    ASSERT_EQ(kb->GetHoverKey(), 2);
    ASSERT_EQ(kb->GetCurrentKey(), 2);
    kb->ClearItem();
    EXPECT_EQ(kb->GetHoverKey(), -1);
    EXPECT_EQ(kb->GetCurrentKey(), -1);
    // A shorter new list: drawing and a move on the old spot must not use the old index.
    kb->AddKeyItem(L"Esc", L"", kEsc, CRect(0, 0, 40, 40));
    kb->SetAllSelectColor(RGB(1, 1, 1));
    EXPECT_EQ(Key(0).color, 0u);
    host.Move(kOnC);
    kb->RequestRepaint();
    host.Paint();
    EXPECT_EQ(kb->GetHoverKey(), -1);
}

// ---- drawing ----

TEST_F(KeyboardDrawTest, OutlinesFollowTheKeyboardType) {
    constexpr std::uint32_t kHighlight = KeyboardCtrl::kHighlightColor & 0xFFFFFF;
    constexpr std::uint32_t kPic = kPicture & 0xFFFFFF;
    constexpr std::uint32_t kRed = 0xFF0000;  // the F1 key's colour as RGB
    kb->SetKeyColor(kF1, RGB(255, 0, 0));
    kb->SetKeyCheck(kGrave, 1);
    host.Move(kOnA);  // Esc hovered
    struct Case {
        unsigned type;
        std::uint32_t esc, f1, grave, background;
    };
    const Case cases[] = {
        {KEYBOARD_TYPE_KEY, kHighlight, kPic, kHighlight, kPic},
        {KEYBOARD_TYPE_LIGHT, kHighlight, kRed, kHighlight, kPic},
        {KEYBOARD_TYPE_MUSIC, kPic, kRed, kPic, kPic},
        // Not stretched: only its 20 x 10 corner.
        {KEYBOARD_TYPE_PICTURE, kWindowBack, kWindowBack, kWindowBack, kWindowBack},
        // Unknown: what lies beneath only.
        {7, kWindowBack, kWindowBack, kWindowBack, kWindowBack},
    };
    for (const Case& c : cases) {
        kb->SetKeyboardType(c.type);
        kb->RequestRepaint();
        EXPECT_EQ(At(TopEdge(kOnA)), c.esc) << "type " << c.type;
        EXPECT_EQ(At(TopEdge(kOnB)), c.f1) << "type " << c.type;
        EXPECT_EQ(At(CPoint(55, 86)), c.grave) << "type " << c.type;
        EXPECT_EQ(At(kOnNoKey), c.background) << "type " << c.type;
    }
    kb->SetKeyboardType(KEYBOARD_TYPE_PICTURE);
    kb->RequestRepaint();
    EXPECT_EQ(At(CPoint(25, 25)), kPic) << "the picture's own pixels at the top-left";
}

TEST_F(KeyboardDrawTest, ALitKeyInLightStyleUsesItsOwnColourForTheHoverMark) {
    kb->SetKeyboardType(KEYBOARD_TYPE_LIGHT);
    kb->SetKeyColor(kEsc, RGB(0, 255, 0));
    host.Move(kOnA);
    kb->RequestRepaint();
    EXPECT_EQ(At(TopEdge(kOnA)), 0x00FF00u);
}

TEST_F(KeyboardDrawTest, AMissingPictureLeavesOutlinesOverTheBackground) {
    kb->SetKeyboardImage(L"absent.png");
    EXPECT_FALSE(kb->HasKeyboardImage());
    kb->SetKeyboardType(KEYBOARD_TYPE_KEY);
    host.Move(kOnA);
    kb->RequestRepaint();
    EXPECT_EQ(At(TopEdge(kOnA)), KeyboardCtrl::kHighlightColor & 0xFFFFFF);
    EXPECT_EQ(At(kOnNoKey), kWindowBack);
}

TEST_F(KeyboardDrawTest, TheFrameIsDrawnWhileSelecting) {
    kb->SetRGBMode(1);
    kb->EnableFrameSelect(1);
    host.Move(CPoint(200, 130));
    host.Platform().MouseDown(host.Window(), CPoint(200, 130), true);
    host.Move(CPoint(260, 190));
    EXPECT_TRUE(RgbNear(At(CPoint(200, 162)), KeyboardCtrl::kFrameColor & 0xFFFFFF));
    host.Platform().MouseUp(host.Window(), CPoint(260, 190), true);
    EXPECT_EQ(At(CPoint(200, 162)), kPicture & 0xFFFFFF);
}

// ---- tips ----

TEST_F(KeyboardCtrlTest, TipsShowAboveTheHoveredKeyWithoutTakingActivation) {
    kb->EnableKBTips(true);
    ASSERT_TRUE(host.Window().IsActive());
    host.Move(kOnB);
    CKeyboardTips* tips = kb->GetTipWindow();
    ASSERT_NE(tips, nullptr);
    EXPECT_TRUE(tips->IsWindowVisible());
    EXPECT_TRUE(host.Window().IsActive()) << "the main window keeps the activation";
    EXPECT_FALSE(tips->GetSafeHwnd()->IsActive());
    // Top centre of F1 (window 85..125, 36) on a window at (100, 50).
    EXPECT_EQ(tips->GetAnchor(), CPoint(205, 86));
    EXPECT_EQ(tips->GetTitle(), L"F1");
    EXPECT_EQ(tips->GetText(), L"Keyboard");
    EXPECT_EQ(tips->GetSecond(), L"F1");

    kb->SetTipKey(kEsc, L"Volume up", L"Volume up");
    host.Move(kOnA);
    EXPECT_EQ(tips->GetTitle(), L"Esc");
    EXPECT_EQ(tips->GetSecond(), L"Volume up");

    host.Move(kOnNoKey);
    EXPECT_FALSE(tips->IsWindowVisible());
    EXPECT_TRUE(host.Window().IsActive());
}

TEST_F(KeyboardCtrlTest, TipsStayOffUnlessEnabled) {
    host.Move(kOnB);
    EXPECT_EQ(kb->GetTipWindow(), nullptr);
}

}  // namespace
}  // namespace tkbd_test
