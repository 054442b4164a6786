// Mouse, keyboard and focus routing through the paint manager and the control tree,
// driven through the null backend as a user would.

#include <gtest/gtest.h>

#include <algorithm>

#include "tessera/controls/button.h"
#include "tessera/core/panel.h"
#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

class RoutingTest : public NullUiTest {
protected:
    // A dialog of 200 x 100 with two probes: A (10,10)-(60,40), B (100,10)-(150,40).
    void OpenWithProbes(int responseA = 1) {
        dialog.build = [&](RecordingDialog& d, CRect) {
            a = static_cast<Probe*>(d.GetPaintManager().AddControl(
                1, std::make_unique<Probe>(11, CRect(10, 10, 60, 40), responseA)));
            b = static_cast<Probe*>(d.GetPaintManager().AddControl(
                1, std::make_unique<Probe>(12, CRect(100, 10, 150, 40))));
        };
        window = dialog.Open(200, 100);
        ASSERT_NE(window, nullptr);
    }
    RecordingDialog dialog;
    NativeWindow* window = nullptr;
    Probe* a = nullptr;
    Probe* b = nullptr;
};

TEST_F(RoutingTest, PressReleaseMoveReachTheControlUnderTheMouse) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), a);
    Platform().Click(*window, {20, 20});
    Platform().Click(*window, {110, 20}, /*right=*/true);
    EXPECT_EQ(a->Clicks(), (std::vector<std::string>{"ldown", "lup"}));
    EXPECT_EQ(b->Clicks(), (std::vector<std::string>{"rdown", "rup"}));
    EXPECT_EQ(a->points.front(), CPoint(20, 20));
    // The last press made B the focus control.
    EXPECT_EQ(dialog.GetPaintManager().GetFocusControl(), b);
    EXPECT_TRUE(b->IsFocused());
    EXPECT_FALSE(a->IsFocused());
}

TEST_F(RoutingTest, MouseIsCapturedWhileTheButtonIsHeld) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseDown(*window, {20, 20});
    EXPECT_TRUE(window->HasCapture());
    // Moving off the control keeps the press with it; the other control gets nothing.
    const size_t bCalls = b->calls.size();
    Platform().MouseMove(*window, {120, 20});
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), a);
    EXPECT_EQ(b->calls.size(), bCalls);
    EXPECT_EQ(a->points.back(), CPoint(120, 20));
    Platform().MouseUp(*window, {120, 20});
    EXPECT_FALSE(window->HasCapture());
    EXPECT_EQ(a->Clicks().back(), "lup");
    // Released outside: the hover control is dropped.
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, LeaveDropsTheHoverWithAMoveToMinusOne) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseLeave(*window);
    EXPECT_EQ(a->points.back(), CPoint(-1, -1));
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, ControlCursorShowsOverItAndTheDefaultComesBackOutside) {
    OpenWithProbes();
    a->SetCursorEx(L"hand");
    Platform().MouseMove(*window, {20, 20});
    EXPECT_EQ(NullPlatform::Cursor(*window), CursorKind::kHand);
    Platform().MouseMove(*window, {120, 20});  // over B, which has no cursor of its own
    EXPECT_EQ(NullPlatform::Cursor(*window), CursorKind::kDefault);
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseMove(*window, {80, 80});  // a free spot
    EXPECT_EQ(NullPlatform::Cursor(*window), CursorKind::kDefault);
}

TEST_F(RoutingTest, DeactivationDuringAPressReleasesAtMinusOne) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseDown(*window, {20, 20});
    Platform().Deactivate(*window);
    EXPECT_EQ(a->Clicks().back(), "lup");
    EXPECT_EQ(a->points.back(), CPoint(-1, -1));
    EXPECT_FALSE(window->HasCapture());
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, WheelGoesToTheHoverThenToTheListOncePerNotch) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    a->acceptScroll = 0;
    b->acceptScroll = 1;
    // Two notches down: per notch the hover declines, then the list is asked in order (A
    // again, then B, which is not under the point and so declines too).
    Platform().Wheel(*window, {20, 20}, -2 * WHEEL_DELTA);
    EXPECT_EQ(a->Clicks(), std::vector<std::string>(4, "scroll-down"));
    EXPECT_TRUE(b->Clicks().empty());
    // When A accepts, the list is not asked: one call per notch.
    a->calls.clear();
    a->acceptScroll = 1;
    Platform().Wheel(*window, {20, 20}, WHEEL_DELTA);
    EXPECT_EQ(a->Clicks(), std::vector<std::string>{"scroll-up"});
}

TEST_F(RoutingTest, DoubleClickIsASecondPressUnlessTheControlWantsDoubleClicks) {
    struct Case {
        int dblClk;
        int report;
        std::vector<std::string> calls;
        size_t notes;
    };
    const Case cases[] = {
        {0, 0, {"ldown", "lup", "ldown", "lup"}, 0},
        {1, 0, {"ldown", "lup", "ldbl", "lup"}, 0},
        {1, 1, {"ldown", "lup", "ldbl", "lup"}, 1},
    };
    for (const Case& c : cases) {
        RecordingDialog d;
        Probe* p = nullptr;
        d.build = [&](RecordingDialog& dd, CRect) {
            p = static_cast<Probe*>(dd.GetPaintManager().AddControl(
                1, std::make_unique<Probe>(5, CRect(0, 0, 50, 50))));
            p->SetDblClk(c.dblClk);
            p->SetDblClkReport(c.report);
        };
        NativeWindow* w = d.Open(80, 80);
        Platform().MouseMove(*w, {10, 10});
        Platform().DoubleClick(*w, {10, 10});
        EXPECT_EQ(p->Clicks(), c.calls) << "dblClk " << c.dblClk;
        ASSERT_EQ(d.notes.size(), c.notes);
        if (c.notes) {
            EXPECT_EQ(d.notes[0].code, NOTIFY_DBLCLK);
        }
    }
}

TEST_F(RoutingTest, FreeSpotPressMovesTheWindowOnlyWhenDraggingIsEnabled) {
    for (int drag : {1, 0}) {
        RecordingDialog d;
        NativeWindow* w = d.Open(80, 80);
        d.EnableWndDrag(drag);
        Platform().Click(*w, {40, 40});
        EXPECT_EQ(NullPlatform::MoveDragCount(*w), drag);
    }
}

TEST_F(RoutingTest, ControlWithoutResponseDrawsButNeverTakesTheMouse) {
    OpenWithProbes(/*responseA=*/0);
    Platform().MouseMove(*window, {20, 20});
    Platform().Click(*window, {20, 20});
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), nullptr);
    EXPECT_TRUE(a->Clicks().empty());
    EXPECT_GT(a->draws, 0);
    // The press fell on a free spot and moved the window instead.
    EXPECT_EQ(NullPlatform::MoveDragCount(*window), 1);
}

TEST_F(RoutingTest, KeyDownCarriesTheModifierCode) {
    OpenWithProbes();
    struct Case {
        std::vector<unsigned> held;
        unsigned code;
    };
    const Case cases[] = {{{}, 0},
                          {{VK_SHIFT}, 16},
                          {{VK_MENU}, 18},
                          {{VK_CONTROL}, 17},
                          {{VK_SHIFT, VK_CONTROL}, 17},
                          {{VK_MENU, VK_CONTROL}, 19}};
    for (const Case& c : cases) {
        for (unsigned vk : c.held) {
            Platform().KeyDown(*window, vk);
        }
        Platform().KeyDown(*window, 'A');
        EXPECT_EQ(a->lastModifier, c.code);
        Platform().KeyUp(*window, 'A');
        for (unsigned vk : c.held) {
            Platform().KeyUp(*window, vk);
        }
    }
}

TEST_F(RoutingTest, HotKeyIsConsumedOnlyWithItsModifier) {
    RecordingDialog d;
    MButton* button = nullptr;
    Probe* after = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        button = static_cast<MButton*>(dd.CreateControl(L"MButton", 3, CRect(0, 0, 30, 30), L"x"));
        button->SetHotKey('S', 17);
        after = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(4, CRect(40, 0, 60, 30))));
        after->handleKeys = 0;
    };
    NativeWindow* w = d.Open(80, 40);
    auto sKeys = [&] { return std::count(after->calls.begin(), after->calls.end(), "key83"); };
    Platform().KeyDown(*w, 'S');  // no Ctrl: the button declines, the probe is asked
    EXPECT_EQ(sKeys(), 1);
    Platform().KeyUp(*w, 'S');
    Platform().KeyDown(*w, VK_CONTROL);
    Platform().KeyDown(*w, 'S');  // Ctrl+S: consumed by the button before the probe
    EXPECT_EQ(sKeys(), 1);
    EXPECT_TRUE(d.notes.empty());
}

TEST_F(RoutingTest, TabMovesTheFocusAndWraps) {
    RecordingDialog d;
    std::vector<Probe*> p;
    d.build = [&](RecordingDialog& dd, CRect) {
        for (unsigned i = 0; i < 3; ++i) {
            p.push_back(static_cast<Probe*>(dd.GetPaintManager().AddControl(
                1, std::make_unique<Probe>(20 + i, CRect(i * 20, 0, i * 20 + 10, 10)))));
            p.back()->SetTabStop(i != 1);  // the middle one is skipped
        }
    };
    NativeWindow* w = d.Open(80, 40);
    PaintManager& pm = d.GetPaintManager();
    Platform().KeyDown(*w, VK_TAB);
    EXPECT_EQ(pm.GetFocusControl(), p[0]);
    Platform().KeyDown(*w, VK_TAB);
    EXPECT_EQ(pm.GetFocusControl(), p[2]);
    Platform().KeyDown(*w, VK_TAB);
    EXPECT_EQ(pm.GetFocusControl(), p[0]);
    Platform().KeyDown(*w, VK_SHIFT);
    Platform().KeyDown(*w, VK_TAB);
    EXPECT_EQ(pm.GetFocusControl(), p[2]);
    EXPECT_TRUE(p[2]->IsFocused());
    EXPECT_FALSE(p[0]->IsFocused());
}

// ---- buttons ----

class ButtonTest : public NullUiTest {
protected:
    void SetUp() override {
        NullUiTest::SetUp();
        dialog.build = [&](RecordingDialog& d, CRect) {
            button =
                static_cast<MButton*>(d.CreateControl(L"MButton", 7, CRect(10, 10, 60, 40), L"OK"));
        };
        window = dialog.Open(100, 60);
    }
    RecordingDialog dialog;
    NativeWindow* window = nullptr;
    MButton* button = nullptr;
};

TEST_F(ButtonTest, ReleaseInsideAfterPressInsideClicksExactlyOnce) {
    Platform().MouseMove(*window, {20, 20});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_HOVER);
    Platform().MouseDown(*window, {20, 20});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_DOWN);
    Platform().MouseUp(*window, {25, 25});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_HOVER);
    EXPECT_EQ(dialog.notes,
              (std::vector<Notification>{{7, NOTIFY_DOWN, 0, 0}, {7, NOTIFY_CLICK, 0, 0}}));
}

TEST_F(ButtonTest, DraggingOutAndReleasingGivesNormalAndNoClick) {
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseDown(*window, {20, 20});
    Platform().MouseMove(*window, {90, 50});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_DOWN);
    Platform().MouseUp(*window, {90, 50});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_NORMAL);
    EXPECT_EQ(dialog.notes, (std::vector<Notification>{{7, NOTIFY_DOWN, 0, 0}}));
}

TEST_F(ButtonTest, DisabledButtonIgnoresPressesAndStaysDisabled) {
    button->SetEnabled(0);
    EXPECT_EQ(button->GetState(), BUTTON_STATE_DISABLED);
    Platform().MouseMove(*window, {20, 20});
    Platform().Click(*window, {20, 20});
    EXPECT_EQ(button->GetState(), BUTTON_STATE_DISABLED);
    EXPECT_TRUE(dialog.notes.empty());
    button->SetEnabled(1);
    EXPECT_EQ(button->GetState(), BUTTON_STATE_NORMAL);
}

TEST_F(ButtonTest, StateChangesRepaintWithoutRebuildingTheCache) {
    Platform().ProcessPending();
    ASSERT_EQ(button->GetUpdate(), 1);
    Platform().MouseMove(*window, {20, 20});
    // The hover look is another slice of the same cache.
    EXPECT_EQ(button->GetUpdate(), 1);
    button->SetTitle(L"Apply");
    EXPECT_EQ(button->GetUpdate(), 0);
}

// ---- tree operations ----

class CountingOwner : public MObject {
public:
    long OnControlUpdate(CRect, int, MControl*) override {
        ++updates;
        return 0;
    }
    int updates = 0;
};

TEST(ControlTree, SetVisibleWithTheCurrentValueAsksForNoRepaint) {
    CountingOwner owner;
    Probe probe(1, CRect(0, 0, 10, 10));
    probe.SetParent(&owner);
    probe.SetVisible(1);
    EXPECT_EQ(owner.updates, 0);
    probe.SetVisible(0);
    EXPECT_EQ(owner.updates, 1);
    probe.SetEnabled(1);
    EXPECT_EQ(owner.updates, 1);
}

class RectOwner : public MObject {
public:
    long OnControlUpdate(CRect rect, int invalidate, MControl*) override {
        rects.push_back(rect);
        invalidates.push_back(invalidate);
        return 0;
    }
    std::vector<CRect> rects;
    std::vector<int> invalidates;
};

TEST(ControlTree, MovingAControlRepaintsOldAndNewPlaceAndHiddenOnesOnlyWhenForced) {
    RectOwner owner;
    Probe probe(1, CRect(0, 0, 10, 10));
    probe.SetParent(&owner);
    probe.SetRect(20, 0, 5, 5);
    ASSERT_EQ(owner.rects.size(), 1u);
    EXPECT_EQ(owner.rects[0], CRect(0, 0, 25, 10));
    EXPECT_EQ(probe.GetRect(), CRect(20, 0, 25, 5));
    probe.SetVisible(0, 0);
    probe.UpdateControl(1, 0);
    EXPECT_EQ(owner.rects.size(), 1u);
    probe.UpdateControl(1, 1);
    EXPECT_EQ(owner.rects.size(), 2u);
    probe.UpdateAControl(1, 1);  // keeps the cache: no invalidation
    EXPECT_EQ(owner.invalidates.back(), 0);
}

TEST_F(RoutingTest, ParentVisibilityWalksUpToTheDialog) {
    OpenWithProbes();
    auto* inner = a->AddChild(1, std::make_unique<Probe>(50, CRect(12, 12, 20, 20)));
    EXPECT_EQ(inner->IsParentVisible(), 1);
    a->SetVisible(0);
    EXPECT_EQ(inner->IsParentVisible(), 0);
    EXPECT_EQ(a->IsParentVisible(), 1);  // its parent is the dialog
    Probe orphan(51, CRect());
    EXPECT_EQ(orphan.IsParentVisible(), 0);
}

TEST(ControlTree, GetControlSearchesDepthFirstControlsBeforeAreas) {
    Probe root(100, CRect());
    auto* area = root.AddChild(0, std::make_unique<Probe>(7, CRect()));
    auto* outer = root.AddChild(1, std::make_unique<Probe>(1, CRect()));
    auto* nested = outer->AddChild(1, std::make_unique<Probe>(7, CRect()));
    auto* deep = nested->AddChild(1, std::make_unique<Probe>(9, CRect()));
    EXPECT_EQ(root.GetControl(7), nested);  // control layer first, any depth
    EXPECT_EQ(root.GetControl(9), deep);
    EXPECT_EQ(root.GetControl(42), nullptr);
    root.RemoveControl(outer);
    EXPECT_EQ(root.GetControl(7), area);
    EXPECT_EQ(root.GetControl(9), nullptr);
}

TEST(ControlTree, PositionItemPlacesAlongASpan) {
    struct Case {
        M_POSITION_ITEM item;
        float expected;
    };
    const Case cases[] = {
        {{0, 0, 5}, 105},  {{0, 1, 5}, 195},   {{1, 0, 10}, 160}, {{1, 1, 10}, 140},
        {{2, 0, 25}, 125}, {{2, 0, 150}, 200}, {{7, 0, 3}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(MControl::PositionItem2Value(c.item, 100, 200), c.expected)
            << "kind " << c.item.kind;
    }
}

TEST(ControlTree, CursorNamesMapAndUnknownNamesKeepTheCursor) {
    Probe probe(1, CRect());
    probe.SetCursorEx(L"hand");
    EXPECT_EQ(probe.GetCursor(), CursorKind::kHand);
    probe.SetCursorEx(L"arrow");
    EXPECT_EQ(probe.GetCursor(), CursorKind::kArrow);
    probe.SetCursorEx(L"Hand");
    EXPECT_EQ(probe.GetCursor(), CursorKind::kArrow);
}

TEST_F(RoutingTest, ScrolledPanelShiftsChildPointsButNotItsOwnBars) {
    RecordingDialog d;
    MPanel* panel = nullptr;
    Probe* child = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        auto owned = std::make_unique<MPanel>(&dd, 30, CRect(0, 0, 100, 100), L"", 1);
        panel = static_cast<MPanel*>(dd.GetPaintManager().AddControl(1, std::move(owned)));
        child = static_cast<Probe*>(
            panel->AddChild(1, std::make_unique<Probe>(31, CRect(10, 60, 50, 90))));
        panel->SetVirtualSize(0, 300);
        panel->SetScrollOffset(0, 50);
    };
    NativeWindow* w = d.Open(120, 120);
    // Window point (20, 20) is content point (20, 70): inside the child.
    Platform().MouseMove(*w, {20, 20});
    Platform().Click(*w, {20, 20});
    ASSERT_FALSE(child->Clicks().empty());
    EXPECT_EQ(child->points.back(), CPoint(20, 70));
    // The vertical bar (id 1) sits at the panel's right edge in window coordinates.
    MScrollBar* bar = panel->GetVScrollBar();
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollPos(), 50);
    EXPECT_EQ(bar->GetRect(), CRect(95, 0, 100, 100));
    // The bar's notification moves the panel and does not reach the dialog.
    bar->SetScrollPos(120);
    EXPECT_EQ(panel->GetScrollOffset(), CPoint(0, 120));
    for (const auto& n : d.notes) {
        EXPECT_NE(n.code, NOTIFY_SCROLL);
    }
}

TEST_F(RoutingTest, PanelForwardsChildNotificationsWithTheChildId) {
    RecordingDialog d;
    d.build = [&](RecordingDialog& dd, CRect) {
        auto owned = std::make_unique<MPanel>(&dd, 30, CRect(0, 0, 100, 100), L"", 1);
        auto* panel = static_cast<MPanel*>(dd.GetPaintManager().AddControl(1, std::move(owned)));
        panel->CreateControl(L"MButton", 77, CRect(10, 10, 50, 40), L"In");
    };
    NativeWindow* w = d.Open(120, 120);
    Platform().MouseMove(*w, {20, 20});
    Platform().Click(*w, {20, 20});
    EXPECT_EQ(d.notes,
              (std::vector<Notification>{{77, NOTIFY_DOWN, 0, 0}, {77, NOTIFY_CLICK, 0, 0}}));
}

TEST_F(RoutingTest, RemovingTheHoveredControlLeavesNoDanglingReference) {
    OpenWithProbes();
    Platform().MouseMove(*window, {20, 20});
    Platform().MouseDown(*window, {20, 20});
    dialog.GetPaintManager().RemoveControl(a);
    EXPECT_EQ(dialog.GetPaintManager().GetHoverControl(), nullptr);
    EXPECT_EQ(dialog.GetPaintManager().GetFocusControl(), nullptr);
    Platform().MouseUp(*window, {20, 20});
    Platform().MouseMove(*window, {25, 25});
    EXPECT_EQ(dialog.GetControl(11), nullptr);
}

}  // namespace
}  // namespace tessera_test
