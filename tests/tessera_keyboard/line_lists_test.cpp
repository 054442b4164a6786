#include <gtest/gtest.h>

#include "tessera/keyboard/image_list.h"
#include "tessera/keyboard/macro_list_box.h"
#include "tessera/keyboard/record_list.h"
#include "tests/tessera_keyboard/host_window.h"

namespace tkbd_test {
namespace {

constexpr unsigned kListId = 130;
constexpr unsigned kNone = static_cast<unsigned>(-1);
// 300 x 210 at (20,20): three 70-pixel macro lines or three and a half step lines.
constexpr CRect kListRect(20, 20, 320, 230);
constexpr std::uint32_t kLit = 0xFF3300;

// A strip of `frames` 20 x 20 frames, frame i filled with colours[i].
Surface Strip(std::initializer_list<ARGB> colours) {
    Surface s(20 * static_cast<int>(colours.size()), 20);
    int i = 0;
    for (ARGB c : colours) {
        s.Fill(CRect(i * 20, 0, i * 20 + 20, 20), PremultiplyArgb(c));
        ++i;
    }
    return s;
}

// ---- macro list ----

class MacroListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = host.Create<MacroListBox>(L"MacroListBox", kListId, kListRect);
        ASSERT_NE(list, nullptr);
    }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            list->AddString(L"Macro " + std::to_wstring(i), i, 100 + i);
        }
    }
    // A point inside line `i` (as not scrolled), left of the button.
    static CPoint OnLine(int i) { return {60, 20 + 70 * i + 20}; }
    // The middle of line i's "more" button (content 295 wide when the bar shows).
    static CPoint OnMore(int i, int contentWidth = 295) {
        return {20 + contentWidth - 20 - 15 + 10, 20 + 70 * i + 38 + 10};
    }
    HostWindow host;
    MacroListBox* list = nullptr;
};

TEST_F(MacroListTest, InsertingFollowsThePositionRules) {
    EXPECT_EQ(list->InsertString(7, L"first", 0, 1), 0) << "an empty list appends anywhere";
    EXPECT_EQ(list->AddString(L"second", 0, 2), 1);
    EXPECT_EQ(list->InsertString(0, L"zeroth", 0, 3), 2) << "the index of the last item";
    EXPECT_EQ(list->GetItemText(0), L"zeroth");
    EXPECT_EQ(list->InsertString(-2, L"x", 0, 4), -1);
    EXPECT_EQ(list->InsertString(3, L"x", 0, 4), -1);
    EXPECT_EQ(list->GetItemCount(), 3);
}

TEST_F(MacroListTest, DataLinksAndLookups) {
    Fill(3);
    list->SetLinkCount(101, 4);
    EXPECT_EQ(list->GetLinkCount(1), 4);
    list->ResetLinkCount();
    EXPECT_EQ(list->GetLinkCount(1), 0);
    EXPECT_EQ(list->FindItemData(102), 2);
    EXPECT_EQ(list->FindItemData(999), -1);
    EXPECT_EQ(list->FindString(L"Macro 1"), 1);
    EXPECT_EQ(list->GetItemData(5), 0);
    list->SetItemData(0, 555);
    EXPECT_EQ(list->GetItemData(0), 555);
    list->ModifyItemString(2, L"Renamed");
    EXPECT_EQ(list->GetItemText(2), L"Renamed");
    EXPECT_EQ(list->GetItemText(9), L"");

    list->SetCurData(102);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->SetCurSel(3), 0);
    EXPECT_EQ(list->GetCurSel(), 2) << "an index out of range keeps the selection";
    EXPECT_EQ(list->SetCurSel(-1), 1);
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(MacroListTest, DeletingClearsHoverAndSelection) {
    Fill(3);
    host.Move(OnLine(0));
    list->SetCurSel(2);
    ASSERT_EQ(list->GetHoverItem(), 0);
    EXPECT_EQ(list->DeleteItem(5), 0);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->DeleteItem(1), 1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetHoverItem(), -1);
    EXPECT_EQ(list->GetItemText(1), L"Macro 2");
    list->DeleteAllItems();
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(MacroListTest, MouseNotificationsAndSelection) {
    ScratchSkin skin;
    skin.Write(L"more.png", Strip({0xFF0000FF, 0xFF00FF00, 0xFFFF00FF, 0xFF808080}));
    ASSERT_EQ(list->SetImage(L"more.png", 4), 1);
    Fill(2);  // no scroll bar: the content is 300 wide
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<Notification> expected;
        int selection;
    };
    const Step steps[] = {
        {"press on a line", [&] { host.Click(OnLine(1)); }, {{kListId, NOTIFY_DOWN, 1, 0}}, 1},
        {"press on line 0's more button",
         [&] { host.Click(OnMore(0, 300)); },
         {{kListId, NOTIFY_SUBDOWN, 0, 0}},
         0},
        {"double click",
         [&] { host.Platform().DoubleClick(host.Window(), OnLine(1)); },
         {{kListId, NOTIFY_DOWN, 1, 0}, {kListId, NOTIFY_DBLCLK, 1, 0}},
         1},
        {"right click on a line",
         [&] { host.RightClick(OnLine(0)); },
         {{kListId, NOTIFY_RCLICK, 0, 0}},
         0},
        {"right click below the last line", [&] { host.RightClick(CPoint(60, 200)); }, {}, -1},
        {"press below the last line",
         [&] { host.Click(CPoint(60, 200)); },
         {{kListId, NOTIFY_DOWN, kNone, 0}},
         -1},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(host.Take(), s.expected) << s.what;
        EXPECT_EQ(list->GetCurSel(), s.selection) << s.what;
    }
}

TEST_F(MacroListTest, TheMoreButtonShowsItsStateAndSelectsItsLineFirst) {
    ScratchSkin skin;
    constexpr ARGB kNormal = 0xFF0000FF, kHover = 0xFF00FF00, kDown = 0xFFFF00FF;
    skin.Write(L"more.png", Strip({kNormal, kHover, kDown, 0xFF808080}));
    list->SetImage(L"more.png", 4);
    Fill(2);
    auto button = [&](int line) {
        return RgbAt(host.Paint(), OnMore(line, 300).x, OnMore(line, 300).y);
    };
    EXPECT_EQ(button(1), kNormal & 0xFFFFFF);
    host.Move(OnMore(1, 300));
    EXPECT_EQ(list->GetMoreHover(), 1);
    EXPECT_EQ(button(1), kHover & 0xFFFFFF) << "a hovered line shows frame 1";

    list->SetCurSel(0);
    host.Platform().MouseDown(host.Window(), OnMore(1, 300));
    EXPECT_EQ(list->GetCurSel(), 1) << "the menu must act on the line pointed at";
    EXPECT_EQ(list->GetMorePressed(), 1);
    EXPECT_EQ(button(1), kHover & 0xFFFFFF) << "the selected line shows frame 1";
    host.Platform().MouseUp(host.Window(), OnMore(1, 300));
    EXPECT_EQ(list->GetMorePressed(), -1);
    EXPECT_EQ(host.Take(), (std::vector<Notification>{{kListId, NOTIFY_SUBDOWN, 1, 1}}))
        << "the release sends nothing";

    list->SetCurSel(-1);
    host.Move(CPoint(400, 280));  // off the list: nothing hovered
    host.Platform().MouseDown(host.Window(), OnMore(0, 300));
    list->SetCurSel(-1);  // look at the pressed frame on a line that is not lit
    host.Move(OnMore(1, 300));
    EXPECT_EQ(button(0), kDown & 0xFFFFFF);
    host.Platform().MouseUp(host.Window(), OnMore(1, 300));
}

TEST_F(MacroListTest, LitLinesAreFilledAndOthersShowTheBackground) {
    Fill(3);
    list->SetCurSel(1);
    const Surface& screen = host.Paint();
    EXPECT_EQ(RgbAt(screen, 250, OnLine(1).y), kLit);
    EXPECT_EQ(RgbAt(screen, 250, OnLine(0).y), 0x060F10u) << "the window's background";
    host.Move(OnLine(2));
    EXPECT_EQ(RgbAt(host.Paint(), 250, OnLine(2).y), kLit);
}

TEST_F(MacroListTest, WheelScrollsTenPixelsPerNotchWithinTheRange) {
    Fill(5);  // 350 pixels of content in 210: range 140
    host.Platform().Wheel(host.Window(), OnLine(1), -WHEEL_DELTA);
    EXPECT_EQ(list->GetScrollOffset().y, 10);
    host.Platform().Wheel(host.Window(), OnLine(1), -WHEEL_DELTA * 20);
    EXPECT_EQ(list->GetScrollOffset().y, 140);
    EXPECT_EQ(list->GetVScrollBar()->GetScrollPos(), 140);
    // Scrolled by two lines: the point of line 0 is now on line 2.
    host.Click(OnLine(0));
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(RgbAt(host.Paint(), 250, OnLine(0).y), kLit);
    EXPECT_EQ(list->GetItemRect(2).top, 20);
    host.Platform().Wheel(host.Window(), OnLine(1), WHEEL_DELTA * 30);
    EXPECT_EQ(list->GetScrollOffset().y, 0);
    // The list's own bar scrolls it too, and the lines follow.
    list->GetVScrollBar()->SetScrollPos(70);
    EXPECT_EQ(list->GetScrollOffset().y, 70);
    host.Click(OnLine(0));
    EXPECT_EQ(list->GetCurSel(), 1);

    list->DeleteAllItems();
    Fill(2);
    host.Platform().Wheel(host.Window(), OnLine(1), -WHEEL_DELTA);
    EXPECT_EQ(list->GetScrollOffset().y, 0) << "content that fits does not scroll";
}

TEST_F(MacroListTest, AnEmptyListIgnoresTheMouse) {
    host.Click(OnLine(0));
    host.RightClick(OnLine(0));
    host.Platform().DoubleClick(host.Window(), OnLine(0));
    EXPECT_TRUE(host.Take().empty());
    EXPECT_EQ(RgbAt(host.Paint(), 100, 100), 0x060F10u);
}

// ---- step list and image list ----

class RecordListTest : public ::testing::Test {
protected:
    static constexpr ARGB kDownIcon = 0xFF0000FF, kDownIconLit = 0xFF00FFFF;
    static constexpr ARGB kOtherIcon = 0xFF00FF00, kOtherIconLit = 0xFFFFFF00;
    void SetUp() override {
        list = host.Create<CRecordList>(L"CRecordList", 131, kListRect);
        ASSERT_NE(list, nullptr);
        icons.AddImage(skin.Write(L"down.png", Strip({kDownIcon, kDownIconLit})), 1, 2);
        icons.AddImage(skin.Write(L"other.png", Strip({kOtherIcon, kOtherIconLit})), 2, 2);
        list->SetImageList(&icons);
    }
    // The icon's centre on line i: the 60-pixel icon column.
    std::uint32_t IconAt(int line) { return RgbAt(host.Paint(), 20 + 30, 20 + 60 * line + 30); }

    ScratchSkin skin;
    HostWindow host;
    MImageList icons;
    CRecordList* list = nullptr;
};

TEST_F(RecordListTest, KeyDownStepsShowIconZeroAndEveryOtherKindIconOne) {
    list->AddString(L"A", 2, 4, 10);
    list->AddString(L"A", 3, 4, 10);
    list->AddString(L"Left", 4, 1, 10);
    list->AddString(L"Left", 5, 1, 10);
    host.Move(CPoint(400, 280));
    EXPECT_EQ(IconAt(0), kDownIcon & 0xFFFFFF);
    EXPECT_EQ(IconAt(1), kOtherIcon & 0xFFFFFF);
    EXPECT_EQ(IconAt(2), kOtherIcon & 0xFFFFFF);
    list->SetCurSel(0);
    EXPECT_EQ(IconAt(0), kDownIconLit & 0xFFFFFF) << "a lit line shows frame 1";
    list->SetCurSel(1);
    EXPECT_EQ(IconAt(1), kOtherIconLit & 0xFFFFFF);
}

TEST_F(RecordListTest, StepsAreReadChangedAndSwapped) {
    EXPECT_FALSE(list->UpdateDelayTime(50)) << "no step to change";
    EXPECT_EQ(list->AddString(L"A", 2, 4, 10), 0);
    EXPECT_EQ(list->AddString(L"A", 3, 4, 0), 1);
    EXPECT_TRUE(list->UpdateDelayTime(35));
    std::wstring text;
    int kind = 0, value = 0, delay = 0;
    ASSERT_TRUE(list->GetRecordInfo(1, text, kind, value, delay));
    EXPECT_EQ(delay, 35);
    EXPECT_FALSE(list->GetRecordInfo(2, text, kind, value, delay));
    list->SetRecordInfo(0, L"B", 2, 5, 20);
    list->SetRecordInfo(7, L"C", 2, 6, 20);
    list->SwapItem(0, 1);
    list->SwapItem(0, 5);
    const auto items = list->GetRecordItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->kind, 3);
    EXPECT_EQ(items[1]->text, L"B");
    EXPECT_EQ(items[1]->value, 5);
    EXPECT_EQ(list->InsertString(0, L"first", 2, 1, 0), 2);
    EXPECT_EQ(list->GetRecordItems()[0]->text, L"first");
}

TEST_F(RecordListTest, PressAndReleaseReportTheLine) {
    list->AddString(L"A", 2, 4, 10);
    list->AddString(L"A", 3, 4, 10);
    host.Click(CPoint(100, 20 + 60 + 10));
    host.Click(CPoint(100, 200));
    EXPECT_EQ(host.Received(), (std::vector<Notification>{{131, NOTIFY_DOWN, 1, 0},
                                                          {131, NOTIFY_CLICK, 1, 0},
                                                          {131, NOTIFY_DOWN, kNone, 0},
                                                          {131, NOTIFY_CLICK, kNone, 0}}));
}

TEST_F(RecordListTest, ImageListKeepsPlacesAndLimitsFrames) {
    EXPECT_EQ(icons.AddImage(L"", 3, 1), -1);
    EXPECT_EQ(icons.AddImage(skin.Write(L"x.png", Strip({0xFF111111})) + L".missing", 3, 1), 2)
        << "a file that will not load still takes its place";
    EXPECT_EQ(icons.GetImageCount(), 3);
    EXPECT_EQ(icons.InsertImage(0, skin.Write(L"y.png", Strip({0xFF222222})), 9, 1), 0);
    EXPECT_EQ(icons.InsertImage(9, L"z.png", 9, 1), -1);
    EXPECT_EQ(icons.GetImagePathByID(9), icons.GetImagePath(0));
    ASSERT_NE(icons.GetImageDataByID(2), nullptr);
    EXPECT_EQ(icons.GetImageDataByID(2)->frameWidth, 20);
    EXPECT_EQ(icons.GetImageDataByID(2)->frames, 2);

    Surface target(40, 40);
    Canvas dc(target);
    icons.DrawItemIcon(dc, CRect(0, 0, 40, 40), 2, 7);  // frame limited to the last
    icons.DrawItemIcon(dc, CRect(0, 0, 40, 40), 42);    // unknown: nothing
    dc.Flush();
    EXPECT_EQ(RgbAt(target, 20, 20), kOtherIconLit & 0xFFFFFF);
    EXPECT_EQ(target.PixelAt(5, 5), 0u) << "centred: the 20 x 20 icon leaves the corners";
    icons.DelAllImages();
    EXPECT_EQ(icons.GetImageCount(), 0);
}

}  // namespace
}  // namespace tkbd_test
