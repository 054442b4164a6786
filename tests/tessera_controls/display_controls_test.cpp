#include <gtest/gtest.h>

#include "tessera/controls/area.h"
#include "tessera/controls/picture.h"
#include "tessera/controls/scroll_bar.h"
#include "tessera/controls/text.h"
#include "tests/tessera_controls/controls_fixture.h"

namespace tctl_test {
namespace {

TEST(Text, StartsDisabledAndFillsItsBackground) {
    HostWindow host;
    auto* text = host.Create<MText>(L"MText", 60, CRect(10, 10, 110, 30));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->IsEnabled(), 0);
    text->EnableTextBack(1, 0xFF102030);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 12, 12), 0x102030));
    text->EnableTextBack(0, 0);
    EXPECT_FALSE(RgbNear(RgbAt(host.Paint(), 12, 12), 0x102030));
}

TEST(Picture, ShowModes) {
    ScratchSkin skin;
    Surface strip(20, 10);  // two 10 x 10 frames: red, then green
    strip.Fill(CRect(0, 0, 10, 10), PremultiplyArgb(0xFFFF0000));
    strip.Fill(CRect(10, 0, 20, 10), PremultiplyArgb(0xFF00FF00));
    skin.Write(L"strip.png", strip);

    struct Case {
        const char* what;
        enumShowMode mode;
        unsigned hAlign;
        CPoint red;
        CPoint empty;
    };
    // Picture at (0, 0)-(40, 40).
    const Case cases[] = {
        {"placed centred", SHOWMODE_PLACE, 1, {20, 20}, {2, 2}},
        {"placed left", SHOWMODE_PLACE, 0, {2, 20}, {30, 20}},
        {"placed right", SHOWMODE_PLACE, 2, {37, 20}, {2, 20}},
        {"tiled", SHOWMODE_TILE, 1, {35, 35}, {-1, -1}},
        {"stretched", SHOWMODE_STRETCH, 1, {39, 39}, {-1, -1}},
    };
    for (const Case& c : cases) {
        HostWindow host;
        auto* picture = host.Create<MPicture>(L"MPicture", 61, CRect(0, 0, 40, 40));
        ASSERT_EQ(picture->SetImage(L"strip.png", 2), 1);
        EXPECT_EQ(picture->SetImage(L"missing.png", 1), 0);
        EXPECT_EQ(picture->GetImageSize(), CSize(10, 10));
        picture->SetAlignment(c.hAlign, 4);
        picture->SetShowMode(c.mode, 4);
        const Surface& screen = host.Paint();
        EXPECT_TRUE(RgbNear(RgbAt(screen, c.red.x, c.red.y), 0xFF0000)) << c.what;
        if (c.empty.x >= 0) {
            EXPECT_FALSE(RgbNear(RgbAt(screen, c.empty.x, c.empty.y), 0xFF0000)) << c.what;
        }
        EXPECT_FALSE(RgbNear(RgbAt(screen, 20, 20), 0x00FF00)) << c.what << ": frame 0 only";
    }
}

TEST(Area, SolidWhiteRectangle) {
    HostWindow host;
    auto* area = host.Create<CArea>(L"CArea", 62, CRect(0, 0, 30, 30));
    area->SetTransparent(0, 0, 0xFFFFFF);
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 15, 15), 0xFFFFFF));
}

TEST(ScrollBar, ThumbStaysOnTheBar) {
    struct Case {
        const char* what;
        int length;
        int range;
        int page;
    };
    const Case cases[] = {
        {"ordinary", 100, 300, 100},
        {"bar shorter than the smallest thumb", 10, 100, 10},
        {"empty bar", 0, 100, 10},
        {"nothing to scroll", 100, 0, 100},
    };
    for (const Case& c : cases) {
        MScrollBar bar(nullptr, 1, CRect(0, 0, 5, c.length), 1, true);
        bar.SetScrollRange(c.range, c.page);
        for (int pos : {0, c.range / 2, c.range}) {
            bar.SetScrollPos(pos, false);
            const CRect thumb = bar.GetThumbRect();
            EXPECT_GE(thumb.Height(), 0) << c.what;
            if (!thumb.IsRectEmpty()) {
                EXPECT_GE(thumb.top, 0) << c.what;
                EXPECT_LE(thumb.bottom, c.length) << c.what;
            }
        }
        // Dragging on a bar with no travel left must not divide by zero.
        bar.OnControlLButtonDown(0, bar.GetThumbRect().TopLeft());
        bar.OnControlMouseMove(0, CPoint(2, c.length + 20));
        bar.OnControlLButtonUp(0, CPoint(2, c.length + 20));
    }
}

TEST(PanelScrolling, WheelMovesContentAndShiftsPoints) {
    HostWindow host;
    auto* panel = dynamic_cast<MPanel*>(host.Dialog().GetControl(900));
    ASSERT_NE(panel, nullptr);
    auto* text = panel->CreateControl(L"MText", 63, CRect(0, 250, 100, 270), L"far down");
    ASSERT_NE(text, nullptr);
    panel->SetVirtualSize(0, 600);
    host.Platform().Wheel(host.Window(), {50, 50}, -120);
    EXPECT_GT(panel->GetScrollOffset().y, 0);
    CPoint p(10, 10);
    panel->OnMousePointChange(p);
    EXPECT_EQ(p.y, 10 + panel->GetScrollOffset().y);
}

}  // namespace
}  // namespace tctl_test
