#include <gtest/gtest.h>

#include "tessera/keyboard/circle_palette.h"
#include "tessera/keyboard/color_palette.h"
#include "tessera/keyboard/color_select.h"
#include "tessera/keyboard/hsl_palette.h"
#include "tests/tessera_keyboard/host_window.h"

namespace tkbd_test {
namespace {

// ---- colour wheel ----

// A 160 x 160 wheel at (40,40), centre (120,120). Its image is green on the right half,
// blue on the left half except a transparent band at the bottom, where the window's own
// background shows through.
class CirclePaletteTest : public ::testing::Test {
protected:
    static constexpr COLORREF kGreen = RGB(0, 255, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);
    static constexpr COLORREF kWindowBack = RGB(6, 15, 16);
    void SetUp() override {
        Surface wheel(160, 160);
        wheel.Fill(CRect(80, 0, 160, 160), PremultiplyArgb(ColorRefToArgb(kGreen)));
        wheel.Fill(CRect(0, 0, 80, 140), PremultiplyArgb(ColorRefToArgb(kBlue)));
        skin.Write(L"wheel.png", wheel);
        palette = host.Create<CirclePalette>(L"CirclePalette", 92, CRect(40, 40, 200, 200));
        ASSERT_NE(palette, nullptr);
        ASSERT_EQ(palette->SetImage(L"wheel.png", 1), 1);
        host.Paint();
    }
    ScratchSkin skin;
    HostWindow host;
    CirclePalette* palette = nullptr;
};

TEST_F(CirclePaletteTest, OnlyThePointsOnTheRingPickAColour) {
    EXPECT_EQ(palette->GetSelectColor(), RGB(255, 0, 0));
    EXPECT_EQ(palette->GetThumbRect(), CRect(160, 70, 170, 80));
    struct Case {
        const char* what;
        CPoint press;
        std::vector<Notification> expected;
    };
    const Case cases[] = {
        {"30 pixels from the centre", CPoint(150, 120), {}},
        {"50 pixels, right half", CPoint(170, 120), {{92, NOTIFY_COLOR, 0, long{kGreen}}}},
        {"the same point again", CPoint(170, 120), {}},
        {"50 pixels, left half", CPoint(70, 120), {{92, NOTIFY_COLOR, 0, long{kBlue}}}},
        {"74 pixels: beyond the ring", CPoint(194, 120), {}},
        {"72 pixels, the transparent band",
         CPoint(79, 180),
         {{92, NOTIFY_COLOR, 0, long{kWindowBack}}}},
    };
    for (const Case& c : cases) {
        host.Click(c.press);
        EXPECT_EQ(host.Take(), c.expected) << c.what;
    }
    EXPECT_EQ(palette->GetSelectColor(), kWindowBack) << "the colour the window shows there";
    EXPECT_EQ(palette->GetDistanse(CPoint(79, 180)), 72);
}

TEST_F(CirclePaletteTest, DragsFollowInStepsOfMoreThanFivePixels) {
    host.Click(CPoint(70, 120));
    host.Take();
    host.Platform().MouseDown(host.Window(), CPoint(71, 121));  // on the thumb
    EXPECT_EQ(palette->GetState(), CirclePalette::kDragging);
    host.Take();
    host.Move(CPoint(74, 123));
    EXPECT_TRUE(host.Take().empty()) << "3 pixels";
    host.Move(CPoint(77, 121));
    EXPECT_EQ(host.Take().size(), 1u) << "6 pixels across";
    EXPECT_EQ(palette->GetThumbRect(), CRect(72, 116, 82, 126));
    host.Platform().MouseUp(host.Window(), CPoint(77, 121));
    EXPECT_EQ(palette->GetState(), CirclePalette::kOverThumb);
    host.Move(CPoint(100, 100));
    EXPECT_EQ(palette->GetState(), CirclePalette::kIdle);
}

TEST_F(CirclePaletteTest, SettingTheRectangleBringsTheThumbHomeAndKeepsTheColour) {
    host.Click(CPoint(170, 120));
    palette->SetRect(CRect(50, 40, 210, 200));
    EXPECT_EQ(palette->GetThumbRect(), CRect(170, 70, 180, 80));
    EXPECT_EQ(palette->GetSelectColor(), kGreen);
}

TEST_F(CirclePaletteTest, TheSwatchInTheMiddleShowsTheChosenColour) {
    host.Click(CPoint(70, 120));
    EXPECT_TRUE(RgbNear(RgbAt(host.Paint(), 120, 120), 0x0000FF));
    EXPECT_EQ(RgbAt(host.Paint(), 60, 60), 0x0000FFu) << "the wheel around it";
}

// ---- HSL palette ----

// At (10,10), 300 wide: palette (10,10)-(272,160), bar (278,10)-(310,160).
class HslPaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        palette = host.Create<MPalette>(L"MPalette", 620, CRect(10, 10, 310, 170));
        ASSERT_NE(palette, nullptr);
    }
    HostWindow host;
    MPalette* palette = nullptr;
};

TEST_F(HslPaletteTest, GeometryAndDefaults) {
    EXPECT_EQ(palette->GetPaletteRect(), CRect(10, 10, 272, 160));
    EXPECT_EQ(palette->GetBarRect(), CRect(278, 10, 310, 160));
    EXPECT_EQ(palette->GetSelectColor(), HslToColorRef(0.5, 1.0, 0.6));
}

TEST_F(HslPaletteTest, ColoursRoundTripThroughHsl) {
    const COLORREF colours[] = {RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                RGB(255, 255, 255), RGB(27, 85, 0), RGB(249, 162, 35),
                                RGB(128, 128, 128)};
    for (COLORREF c : colours) {
        palette->SetSelectColor(c);
        EXPECT_TRUE(RgbNear(ColorRefToArgb(palette->GetSelectColor()) & 0xFFFFFF,
                            ColorRefToArgb(c) & 0xFFFFFF, 3))
            << std::hex << c;
    }
}

TEST_F(HslPaletteTest, PressesPickHueLightnessAndSaturation) {
    host.Click(CPoint(10 + 131, 10 + 75));  // half way: hue 180, lightness 110
    EXPECT_EQ(palette->GetHue(), 180);
    EXPECT_EQ(palette->GetLightness(), 110);
    EXPECT_EQ(palette->GetMarker(), CPoint(141, 85));
    ASSERT_EQ(host.Received().size(), 1u);
    EXPECT_EQ(host.Received()[0].code, NOTIFY_COLOR);
    EXPECT_EQ(host.Received()[0].wParam, palette->GetSelectColor());

    host.Click(CPoint(290, 10));  // top of the bar: no saturation
    EXPECT_EQ(palette->GetSaturation(), 0);
    for (int x : {20, 100, 200}) {
        host.Click(CPoint(x, 60));
        const COLORREF c = palette->GetSelectColor();
        EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))
            << "saturation 0 is grey at any hue, got " << std::hex << c;
    }
}

TEST_F(HslPaletteTest, DraggingInThePaletteReportsEveryChange) {
    host.Platform().MouseDown(host.Window(), CPoint(30, 60));
    host.Received().clear();
    host.Move(CPoint(120, 60));
    host.Move(CPoint(200, 100));
    EXPECT_EQ(host.Received().size(), 2u);
    host.Move(CPoint(400, 100));  // outside the palette: ignored
    EXPECT_EQ(host.Received().size(), 2u);
    host.Platform().MouseUp(host.Window(), CPoint(400, 100));
    EXPECT_EQ(host.Received().back().wParam, palette->GetSelectColor());
}

TEST_F(HslPaletteTest, DrawsTheFieldAndTheBar) {
    palette->SetSelectColor(RGB(255, 0, 0));
    const Surface& screen = host.Paint();
    // Field column 0 is hue 0 (red); its row at lightness 0.5 is pure red.
    const int y = 10 + (100 - 20) * 150 / 180;
    EXPECT_TRUE(RgbNear(RgbAt(screen, 10, y), 0xFF0000, 12));
    // The bar's bottom row is the full-saturation colour, its top the grey.
    EXPECT_TRUE(RgbNear(RgbAt(screen, 285, 158), 0xFF0000, 12));
    EXPECT_TRUE(RgbNear(RgbAt(screen, 285, 11), 0x808080, 12));
}

// ---- basic colours and the composite chooser ----

TEST(ColorChoosersTest, BasicColoursReportIndexAndColour) {
    HostWindow host;
    auto* select = host.Create<CColorSelect>(L"CColorSelect", 640, CRect(10, 10, 40, 200));
    ASSERT_NE(select, nullptr);
    host.Click(CPoint(20, 10 + 5 + 25 * 2 + 10));  // the third: blue
    EXPECT_EQ(host.Take(), (std::vector<Notification>{{633, NOTIFY_DOWN, 0, 0},
                                                      {640, NOTIFY_COLOR, 2, 0xFF0000}}));
    EXPECT_EQ(select->GetSelectColor(), 0xFF0000u);
    EXPECT_EQ(RgbAt(host.Paint(), 20, 10 + 5 + 25 * 6 + 10), 0xFFFFFFu) << "white at the end";
    select->SetSelectColor(0x00FFFF);
    EXPECT_EQ(select->GetColorIndex(), 3);
    select->SetSelectColor(0x123456);
    EXPECT_EQ(select->GetColorIndex(), -1);
    EXPECT_EQ(select->GetSelectColor(), 0u);
    host.Click(CPoint(35, 100));  // beside the column
    EXPECT_TRUE(host.Take().empty());
}

TEST(ColorChoosersTest, TheCompositeChooserKeepsItsPartsInStep) {
    HostWindow host;
    auto* chooser = host.Create<CColorPalette>(L"CColorPalette", 641, CRect(10, 10, 310, 210));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->GetSelectColor(), 0x00E1FFu);
    EXPECT_EQ(chooser->GetHexText(), L"ffe100");
    EXPECT_EQ(chooser->GetPalette()->GetRect(), CRect(10, 40, 243, 206));

    host.Click(CPoint(10 + 25 * 3 + 10, 20));  // preset 0x29FF4C
    EXPECT_EQ(chooser->GetSelectColor(), 0x29FF4Cu);
    EXPECT_EQ(chooser->GetHexText(), L"4cff29");
    EXPECT_TRUE(
        RgbNear(ColorRefToArgb(chooser->GetPalette()->GetSelectColor()) & 0xFFFFFF, 0x4CFF29, 3));
    EXPECT_EQ(host.Take().back(), (Notification{641, NOTIFY_COLOR, 0x29FF4C, 0}));

    host.Click(CPoint(20, 100));  // in the palette
    const COLORREF picked = chooser->GetPalette()->GetSelectColor();
    EXPECT_EQ(chooser->GetSelectColor(), picked);
    const auto got = host.Take();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), (Notification{620, NOTIFY_COLOR, picked, 0}));
    const CRect swatch = chooser->GetChoiceRect();
    EXPECT_EQ(RgbAt(host.Paint(), swatch.left + 25, swatch.top + 25),
              ColorRefToArgb(picked) & 0xFFFFFF);
}

}  // namespace
}  // namespace tkbd_test
