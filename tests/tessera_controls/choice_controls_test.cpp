#include <gtest/gtest.h>

#include "tessera/controls/combo_box.h"
#include "tessera/controls/tab_ctrl.h"
#include "tessera/core/panel.h"
#include "tests/tessera_controls/controls_fixture.h"

namespace tctl_test {
namespace {

using N = Notification;

MComboBox* ComboWithItems(HostWindow& host, const wchar_t* className, CRect rect, int count) {
    auto* combo = host.Create<MComboBox>(className, 20, rect);
    for (int i = 0; i < count; ++i) {
        combo->AddItem(L"item " + std::to_wstring(i), 100 + i);
    }
    return combo;
}

TEST(ComboBox, DropDownGeometry) {
    // Host client at screen (100, 50); the combo's bottom edge is at client y 60.
    struct Case {
        const char* what;
        const wchar_t* className;
        int items;
        CRect workArea;
        CRect expected;  // screen coordinates
    };
    const CRect tall(0, 0, 1920, 1040);
    const CRect shortArea(0, 0, 1920, 200);
    const Case cases[] = {
        {"seven items show five rows", L"MComboBox", 7, tall, {122, 102, 298, 239}},
        {"two items", L"MComboBox", 2, tall, {122, 102, 298, 164}},
        {"no items", L"MComboBox", 0, tall, {122, 102, 298, 114}},
        // 102 + 137 > 200 - 30: moved up by 30 + 125 - 3.
        {"no room below flips above", L"MComboBox", 7, shortArea, {122, -50, 298, 87}},
        {"the second kind never flips", L"MComboBox2", 7, shortArea, {118, 102, 301, 239}},
    };
    for (const Case& c : cases) {
        HostWindow host;
        host.Platform().SetWorkArea(c.workArea);
        MComboBox* combo = ComboWithItems(host, c.className, CRect(10, 30, 210, 60), c.items);
        EXPECT_EQ(combo->DropDownRect(), c.expected) << c.what;
    }
}

TEST(ComboBox, OpensOnReleaseAndChoosesOnRelease) {
    HostWindow host;
    MComboBox* combo = ComboWithItems(host, L"MComboBox", CRect(10, 30, 210, 60), 7);
    PressRelease(host, {50, 45}, {50, 45});
    CComboBoxWnd* drop = combo->GetDropDown();
    ASSERT_NE(drop, nullptr);
    ASSERT_NE(drop->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(drop->GetSafeHwnd()->IsVisible());
    EXPECT_EQ(combo->IsDropDownOpen(), 1);
    ASSERT_NE(drop->GetList(), nullptr);
    EXPECT_EQ(drop->GetList()->GetItemCount(), 7);
    EXPECT_TRUE(host.Take().empty()) << "opening tells the owner nothing";

    // Row 3 of the list (the list starts 6 pixels down the drop-down).
    NativeWindow& popup = *drop->GetSafeHwnd();
    host.Platform().MouseMove(popup, {40, 6 + 3 * 25 + 10});
    EXPECT_EQ(drop->GetList()->GetHoverRow(), 3);
    host.Platform().Click(popup, {40, 6 + 3 * 25 + 10});
    host.Platform().ProcessPending();
    EXPECT_EQ(host.Take(), (std::vector<N>{{20, NOTIFY_CLICK, 3, 0}}));
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(combo->GetTitle(), L"item 3");
    EXPECT_EQ(combo->GetCurData(), 103);
    EXPECT_EQ(combo->IsDropDownOpen(), 0);
    EXPECT_EQ(drop->GetSafeHwnd(), nullptr) << "the drop-down closes after a choice";
}

TEST(ComboBox, ClosingWithoutAChoiceTellsTheOwnerNothing) {
    HostWindow host;
    MComboBox* combo = ComboWithItems(host, L"MComboBox", CRect(10, 30, 210, 60), 3);
    combo->SetCurSel(1);
    PressRelease(host, {50, 45}, {50, 45});
    ASSERT_EQ(combo->IsDropDownOpen(), 1);
    host.Platform().Deactivate(*combo->GetDropDown()->GetSafeHwnd());
    host.Platform().ProcessPending();
    EXPECT_EQ(combo->IsDropDownOpen(), 0);
    EXPECT_EQ(combo->GetDropDown()->GetSafeHwnd(), nullptr);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_TRUE(host.Take().empty());

    // Reopening replaces the old drop-down; a disabled combo does not open.
    PressRelease(host, {50, 45}, {50, 45});
    EXPECT_EQ(combo->IsDropDownOpen(), 1);
    combo->GetDropDown()->SendMessageW(WM_CLOSE);
    combo->SetEnabled(0);
    PressRelease(host, {50, 45}, {50, 45});
    EXPECT_EQ(combo->IsDropDownOpen(), 0);
}

TEST(ComboBox, ShowsTheDownLookWhileOpen) {
    ScratchSkin skin;
    skin.WriteSolid(L"c_n.png", 30, 30, 0xFFFF0000);
    skin.WriteSolid(L"c_h.png", 30, 30, 0xFF00FF00);
    skin.WriteSolid(L"c_p.png", 30, 30, 0xFF0000FF);
    HostWindow host;
    MComboBox* combo = ComboWithItems(host, L"MComboBox", CRect(10, 30, 210, 60), 2);
    combo->SetNormalImage(L"c_n.png");
    combo->SetHoverImage(L"c_h.png");
    combo->SetDownImage(L"c_p.png");
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 15, 35), 0xFF0000));
    PressRelease(host, {50, 45}, {50, 45});
    host.Move({300, 200});
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 15, 35), 0x0000FF));
    combo->GetDropDown()->SendMessageW(WM_CLOSE);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 15, 35), 0xFF0000));
}

TEST(TabPage, TakesTheMouseOnlyWhereAChildIs) {
    HostWindow host;
    auto* page = dynamic_cast<MTabLayout*>(host.Dialog().GetControl(900));
    ASSERT_NE(page, nullptr);
    host.Create<MComboBox>(L"MComboBox", 20, CRect(10, 30, 210, 60));
    EXPECT_EQ(page->OnCheckMouseResponse(0, {50, 45}), 1);
    EXPECT_EQ(page->OnCheckMouseResponse(0, {300, 200}), 0);

    // On a window that may be dragged, a press on the empty page moves the window.
    host.Dialog().EnableWndDrag(1);
    const int before = NullPlatform::MoveDragCount(host.Window());
    host.Platform().MouseDown(host.Window(), {300, 200});
    host.Platform().MouseUp(host.Window(), {300, 200});
    EXPECT_EQ(NullPlatform::MoveDragCount(host.Window()), before + 1);
}

TEST(ComboBox, LongListScrollsWithTheWheel) {
    HostWindow host;
    MComboBox* combo = ComboWithItems(host, L"MComboBox", CRect(10, 30, 210, 60), 12);
    PressRelease(host, {50, 45}, {50, 45});
    CComboBoxList* list = combo->GetDropDown()->GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetScrollOffset().y, 0);
    host.Platform().Wheel(*combo->GetDropDown()->GetSafeHwnd(), {40, 40}, -120);
    EXPECT_GT(list->GetScrollOffset().y, 0);
    EXPECT_EQ(list->RowAt(CPoint(40, 6 + 2)), list->GetScrollOffset().y / 25);
}

TEST(ComboBox, ItemOperations) {
    HostWindow host;
    MComboBox* combo = ComboWithItems(host, L"MComboBox", CRect(10, 30, 210, 60), 3);

    // InsertItem: -1 appends, 0..count-1 inserts before, anything else fails.
    EXPECT_EQ(combo->InsertItem(-1, L"last", 9), 3);
    EXPECT_EQ(combo->InsertItem(0, L"first", 8), 4);
    EXPECT_EQ(combo->InsertItem(5, L"past", 7), -1);
    EXPECT_EQ(combo->InsertItem(-2, L"before", 7), -1);
    EXPECT_EQ(combo->GetItemText(0), L"first");
    EXPECT_EQ(combo->GetItemText(4), L"last");

    EXPECT_EQ(combo->SelectData(102), 1);
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(combo->SelectData(555), 0);
    EXPECT_EQ(combo->FindData(555), -1);
    EXPECT_EQ(combo->GetCurSel(), 3) << "a failed SelectData keeps the selection";

    EXPECT_EQ(combo->SetItemText(3, L"renamed"), 1);
    EXPECT_EQ(combo->GetTitle(), L"renamed") << "the shown text follows its item";
    EXPECT_EQ(combo->DeleteItem(3), 1);
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(combo->GetTitle(), L"renamed");

    EXPECT_EQ(combo->SetCurSel(99), 0);
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(combo->GetItemData(99), 0);
    EXPECT_EQ(combo->GetItemText(-1), L"");
    EXPECT_EQ(combo->SetItemData(99, 1), 0);

    EXPECT_EQ(combo->SetCurSel(-1), 1);
    EXPECT_EQ(combo->GetCurData(), 0);
    EXPECT_EQ(combo->GetTitle(), L"");
    combo->SetCurSel(0);
    combo->DelAllItems();
    EXPECT_EQ(combo->GetItemCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(combo->GetTitle(), L"");
}

TEST(TabBar, FifthsAndRepeatedClicks) {
    HostWindow host;
    auto* tabs = host.Create<CTabCtrlEx>(L"CTabCtrlEx", 30, CRect(0, 0, 400, 40));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->AddItem(L"Lighting", 501), 0);
    EXPECT_EQ(tabs->AddItem(L"Keys", 502), 1);
    EXPECT_EQ(tabs->AddItem(L"Macros", 503), 2);

    struct Case {
        int x;
        int item;
    };
    for (const Case c :
         {Case{0, 0}, Case{79, 0}, Case{80, 1}, Case{239, 2}, Case{240, -1}, Case{399, -1}}) {
        EXPECT_EQ(tabs->ItemAt({c.x, 20}), c.item) << "x " << c.x;
    }

    PressRelease(host, {100, 20}, {100, 20});
    PressRelease(host, {100, 20}, {100, 20});
    PressRelease(host, {300, 20}, {300, 20});  // beyond the last tab
    EXPECT_EQ(host.Take(), (std::vector<N>{{30, NOTIFY_CLICK, 1, 0}, {30, NOTIFY_CLICK, 1, 0}}));
    EXPECT_EQ(tabs->GetSelectItem(), 1);
    EXPECT_EQ(tabs->GetItemID(1), 502);
    EXPECT_EQ(tabs->GetItemID(3), 0);

    // The bar is orange; the selected tab's text is dark, the others' white.
    const Surface& screen = host.Paint();
    EXPECT_TRUE(RgbNear(RgbAt(screen, 395, 2), 0xFF3300));

    tabs->SetSelectItem(2);
    EXPECT_TRUE(host.Take().empty()) << "selecting from code tells nobody";
    tabs->ClearList();
    EXPECT_EQ(tabs->GetSelectItem(), -1);
    EXPECT_EQ(tabs->GetItemCount(), 0);
}

}  // namespace
}  // namespace tctl_test
