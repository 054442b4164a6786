// Composition of the client into the back buffer: pixels of small windows, repaint
// marking of overlapping controls, alpha repair, nine-grid geometry and alpha ramps.

#include <gtest/gtest.h>

#include <filesystem>

#include "tessera/controls/area.h"
#include "tessera/core/manager.h"
#include "tessera/core/render.h"
#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

// Straight RGB of a presented pixel, for comparisons that ignore alpha rounding.
COLORREF Rgb(std::uint32_t pixel) {
    return ArgbToColorRef(UnpremultiplyPixel(pixel));
}
int Alpha(std::uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class PaintingTest : public NullUiTest {};

TEST_F(PaintingTest, EmptyDialogShowsFrameAndBackColours) {
    RecordingDialog d;
    NativeWindow* w = d.Open(20, 10);
    d.GetPaintManager().SetBackColor(RGB(10, 20, 30), RGB(200, 100, 50));
    Platform().ProcessPending();
    const Surface& s = NullPlatform::Screen(*w);
    ASSERT_EQ(s.Width(), 20);
    EXPECT_TRUE(Near(Rgb(s.PixelAt(0, 0)), RGB(200, 100, 50)));
    EXPECT_TRUE(Near(Rgb(s.PixelAt(19, 9)), RGB(200, 100, 50)));
    EXPECT_TRUE(Near(Rgb(s.PixelAt(5, 5)), RGB(10, 20, 30)));
    EXPECT_EQ(Alpha(s.PixelAt(5, 5)), 254);
}

TEST_F(PaintingTest, ControlsAreComposedInListOrder) {
    RecordingDialog d;
    d.build = [](RecordingDialog& dd, CRect) {
        auto* lower = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(1, CRect(2, 2, 12, 12))));
        lower->color = 0xFFFF0000;
        auto* upper = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(2, CRect(8, 8, 16, 16))));
        upper->color = 0xFF0000FF;
        // Area layer is drawn first even though it was added last.
        auto* area = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(0, std::make_unique<Probe>(3, CRect(0, 0, 20, 4))));
        area->color = 0xFF00FF00;
    };
    NativeWindow* w = d.Open(20, 20);
    Platform().ProcessPending();
    const Surface& s = NullPlatform::Screen(*w);
    EXPECT_EQ(s.PixelAt(5, 5), 0xFFFF0000u);
    EXPECT_EQ(s.PixelAt(10, 10), 0xFF0000FFu);
    EXPECT_EQ(s.PixelAt(5, 3), 0xFFFF0000u);  // control over area
    EXPECT_EQ(s.PixelAt(15, 1), 0xFF00FF00u);
}

TEST_F(PaintingTest, ChangingALowerControlRefreshesTheOverlappingUpperOne) {
    RecordingDialog d;
    Probe* lower = nullptr;
    CArea* glass = nullptr;
    CArea* apart = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        lower = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(1, CRect(0, 0, 20, 20))));
        lower->color = 0xFFFF0000;
        // A half-transparent white glass over part of it, caching what lies beneath.
        glass = static_cast<CArea*>(dd.CreateControl(L"CArea", 2, CRect(10, 10, 30, 30), L""));
        glass->SetTransparent(50, 50, RGB(255, 255, 255));
        apart = static_cast<CArea*>(dd.CreateControl(L"CArea", 3, CRect(35, 35, 40, 40), L""));
    };
    NativeWindow* w = d.Open(40, 40);
    Platform().ProcessPending();
    const COLORREF before = Rgb(NullPlatform::Screen(*w).PixelAt(15, 15));
    EXPECT_TRUE(Near(before, RGB(255, 127, 127), 3)) << std::hex << before;

    lower->color = 0xFF0000FF;
    lower->UpdateControl(1, 0);
    EXPECT_EQ(lower->GetUpdate(), 0);
    EXPECT_EQ(glass->GetUpdate(), 0);  // above and overlapping: marked stale
    EXPECT_EQ(apart->GetUpdate(), 1);  // later but not overlapping: keeps its cache
    EXPECT_EQ(NullPlatform::InvalidRect(*w), CRect(0, 0, 30, 30));
    Platform().ProcessPending();
    // The glass shows the new colour beneath it, not its old snapshot.
    EXPECT_TRUE(Near(Rgb(NullPlatform::Screen(*w).PixelAt(15, 15)), RGB(127, 127, 255), 3));
    EXPECT_EQ(glass->GetUpdate(), 1);
}

TEST_F(PaintingTest, UnrelatedChangeKeepsOtherCachesValid) {
    RecordingDialog d;
    CArea* left = nullptr;
    CArea* right = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        left = static_cast<CArea*>(dd.CreateControl(L"CArea", 1, CRect(0, 0, 10, 10), L""));
        right = static_cast<CArea*>(dd.CreateControl(L"CArea", 2, CRect(20, 0, 30, 10), L""));
    };
    NativeWindow* w = d.Open(40, 20);
    Platform().ProcessPending();
    left->SetTransparent(0, 0, RGB(0, 255, 0));
    EXPECT_EQ(right->GetUpdate(), 1);
    EXPECT_EQ(NullPlatform::InvalidRect(*w), CRect(0, 0, 10, 10));
    Platform().ProcessPending();
    EXPECT_TRUE(Near(Rgb(NullPlatform::Screen(*w).PixelAt(5, 5)), RGB(0, 255, 0)));
}

// Writes raw pixels the way GDI text leaves them: colour without alpha.
class RawPixelControl : public MControl {
public:
    explicit RawPixelControl(CRect rect) : MControl(nullptr, 9, rect, 1, 1, 1) {}
    void DrawControl(Canvas& dc, CRect) override {
        dc.ClearRect(rect_, 0);
        dc.Flush();
        dc.GetSurface().SetPixel(rect_.left, rect_.top, 0x00102030);
    }
};

TEST_F(PaintingTest, LayeredWindowsRepairAlphaOfColouredPixels) {
    for (bool layered : {true, false}) {
        RecordingDialog d;
        d.build = [](RecordingDialog& dd, CRect) {
            dd.GetPaintManager().AddControl(1,
                                            std::make_unique<RawPixelControl>(CRect(4, 4, 8, 8)));
        };
        NativeWindow* w = d.Open(12, 12, layered);
        ASSERT_EQ(d.GetPaintManager().IsLayered(), layered ? 1 : 0);
        Platform().ProcessPending();
        const Surface& s = NullPlatform::Screen(*w);
        EXPECT_EQ(s.PixelAt(4, 4), layered ? 0xFF102030u : 0x00102030u);
        EXPECT_EQ(s.PixelAt(5, 5), 0u);  // truly empty pixels stay transparent
    }
}

TEST_F(PaintingTest, PolygonWindowOf1200x720LeavesBothTopCornersClear) {
    RecordingDialog d;
    d.SetPolygon(1);
    NativeWindow* w = d.Open(1200, 720);
    Platform().ProcessPending();
    const Surface& s = NullPlatform::Screen(*w);
    for (CPoint clear : {CPoint(0, 0), CPoint(20, 5), CPoint(0, 50), CPoint(1199, 0),
                         CPoint(1180, 5), CPoint(1199, 50)}) {
        EXPECT_EQ(Alpha(s.PixelAt(clear.x, clear.y)), 0) << clear.x << "," << clear.y;
    }
    for (CPoint kept : {CPoint(40, 0), CPoint(0, 60), CPoint(600, 0), CPoint(1150, 2)}) {
        EXPECT_GT(Alpha(s.PixelAt(kept.x, kept.y)), 0) << kept.x << "," << kept.y;
    }
}

TEST_F(PaintingTest, ColorKeyPixelsArePresentedTransparent) {
    RecordingDialog d;
    d.build = [](RecordingDialog& dd, CRect) {
        auto* key = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(1, CRect(0, 0, 5, 5))));
        key->color = 0xFFF1F1F1;
        auto* near = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(2, CRect(5, 0, 10, 5))));
        near->color = 0xFFF1F1F2;
    };
    d.SetColorKey(0xF1F1F1);
    NativeWindow* w = d.Open(10, 10);
    Platform().ProcessPending();
    const Surface& s = NullPlatform::Screen(*w);
    EXPECT_EQ(s.PixelAt(2, 2), 0u);
    EXPECT_EQ(s.PixelAt(7, 2), 0xFFF1F1F2u);
    EXPECT_NE(Alpha(s.PixelAt(5, 7)), 0);
}

TEST_F(PaintingTest, BackgroundImageIsPlacedOrStretchedByTheBackMode) {
    const auto folder = std::filesystem::temp_directory_path() / "tessera_bk_test";
    std::filesystem::create_directories(folder);
    Surface bk(6, 6);
    bk.Fill(bk.Bounds(), 0xFF0000FF);
    bk.Fill(CRect(0, 0, 2, 2), 0xFFFF0000);  // top-left corner marked red
    bk.Fill(CRect(4, 4, 6, 6), 0xFF00FF00);  // bottom-right corner marked green
    ASSERT_TRUE(SaveSurfaceToPng(bk, (folder / "bk.png").wstring()));
    Manager::SetSkinFolder(folder.wstring());
    struct Case {
        enumBackMode mode;
        std::uint32_t farCorner;
        std::uint32_t middle;
    };
    for (const Case& c :
         {Case{BACKMODE_NORMAL, 0u, 0u}, Case{BACKMODE_FRAME, 0xFF00FF00u, 0xFF0000FFu}}) {
        RecordingDialog d;
        NativeWindow* w = d.Open(20, 20);
        ASSERT_EQ(d.LoadBKImage(L"bk.png"), 1);
        d.SetBackMode(c.mode, 2);
        Platform().ProcessPending();
        const Surface& s = NullPlatform::Screen(*w);
        EXPECT_EQ(s.PixelAt(0, 0), 0xFFFF0000u);
        EXPECT_EQ(s.PixelAt(19, 19), c.farCorner) << c.mode;
        EXPECT_EQ(s.PixelAt(10, 10), c.middle) << c.mode;
    }
    EXPECT_EQ(RecordingDialog().LoadBKImage(L"missing.png"), 0);
    Manager::SetSkinFolder(L"");
    std::filesystem::remove_all(folder);
}

TEST(Render, CheckAlphaColorNeverLeavesPureBlack) {
    struct Case {
        COLORREF in;
        COLORREF out;
    };
    const Case cases[] = {{0x000000, 0x000001}, {0xFF000000, 0xFF000001}, {0x030201, 0x030201}};
    for (const Case& c : cases) {
        COLORREF v = c.in;
        MRender::CheckAlphaColor(v);
        EXPECT_EQ(v, c.out);
    }
}

// A 9 x 9 source whose nine 3 x 3 regions each have a colour of their own.
Image NineRegionImage() {
    Surface s(9, 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int region = (y / 3) * 3 + x / 3;
            s.SetPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>(region * 0x1C1C1C + 0x10));
        }
    }
    return Image(std::move(s));
}
std::uint32_t RegionColor(int region) {
    return 0xFF000000u | static_cast<std::uint32_t>(region * 0x1C1C1C + 0x10);
}

TEST(Render, NineGridKeepsCornersAndStretchesEdgesAndCentre) {
    const Image image = NineRegionImage();
    Surface target(30, 20);
    {
        Canvas dc(target);
        MRender::DrawImageFrame(dc, image, CRect(0, 0, 30, 20), 0, 0, 9, 9, 3);
    }
    struct Probe {
        int x, y, region;
    };
    const Probe probes[] = {
        {0, 0, 0}, {2, 2, 0},   {27, 0, 2},  {29, 2, 2}, {0, 17, 6}, {29, 19, 8},  // corners
        {3, 0, 1}, {26, 2, 1},  {15, 19, 7},                                       // top, bottom
        {0, 3, 3}, {2, 16, 3},  {28, 10, 5},                                       // left, right
        {3, 3, 4}, {15, 10, 4}, {26, 16, 4},                                       // centre
    };
    for (const auto& p : probes) {
        EXPECT_EQ(target.PixelAt(p.x, p.y), RegionColor(p.region)) << p.x << "," << p.y;
    }
}

TEST(Render, NineGridMarginsShrinkForSmallTargets) {
    const Image image = NineRegionImage();
    Surface target(4, 4);
    {
        Canvas dc(target);
        MRender::DrawImageFrameMID(dc, image, CRect(0, 0, 4, 4), 0, 0, 9, 9, 3, 3, 3, 3);
    }
    // Margins of 2: the four corners meet without overlapping.
    EXPECT_EQ(target.PixelAt(0, 0), RegionColor(0));
    EXPECT_EQ(target.PixelAt(3, 0), RegionColor(2));
    EXPECT_EQ(target.PixelAt(0, 3), RegionColor(6));
    EXPECT_EQ(target.PixelAt(3, 3), RegionColor(8));
}

TEST(Render, VerticalTransitionRampsAlphaFromTopToBottom) {
    Surface dst(1, 5);
    Surface src(1, 5);
    src.Fill(src.Bounds(), 0xFFFFFFFF);
    // 0 % transparent at the top, 100 % at the bottom: alpha 255 down by 51 a row.
    const int last = MRender::DrawVerticalTransition(dst, src, dst.Bounds(), src.Bounds(), 0, 100);
    EXPECT_EQ(dst.PixelAt(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Alpha(dst.PixelAt(0, 1)), 204);
    EXPECT_EQ(Alpha(dst.PixelAt(0, 4)), 51);
    EXPECT_EQ(last, 51);
    // Reversed percentages ramp upwards.
    Surface up(1, 5);
    MRender::DrawVerticalTransition(up, src, up.Bounds(), src.Bounds(), 100, 0);
    EXPECT_EQ(Alpha(up.PixelAt(0, 0)), 0);
    EXPECT_EQ(Alpha(up.PixelAt(0, 4)), 204);
}

TEST(Render, OriginPointPlacesAnItemInARectangle) {
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 20, 110, 60), 20, 10, 1, 4), CPoint(50, 37));
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 20, 110, 60), 20, 10, 2, 8), CPoint(90, 52));
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 20, 110, 60), 20, 10, 0, 0), CPoint(10, 22));
}

TEST(Canvas, TextStaysInsideItsClippedRectangle) {
    Surface s(120, 40);
    {
        Canvas dc(s);
        dc.DrawText(L"Keyloom 键盘 ภาษาไทย", CRect(10, 10, 60, 30),
                    FontSpec{kFrameworkFaceName, 14, 0}, 0xFFFFFFFF,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (s.PixelAt(x, y) != 0) {
                (CRect(10, 10, 60, 30).PtInRect({x, y}) ? inside : outside)++;
            }
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    // Every script of the interface gets glyphs (a width), whatever face is missing.
    for (const wchar_t* text : {L"键盘", L"ภาษาไทย", L"Клавиатура", L"Clavier"}) {
        EXPECT_GT(Canvas::MeasureText(text, FontSpec{L"No Such Face", 14, 0}).cx, 10) << text;
    }
}

TEST_F(PaintingTest, OverlayMessageShowsAndFadesAfterThreeSeconds) {
    RecordingDialog d;
    NativeWindow* w = d.Open(300, 120);
    Platform().ProcessPending();
    d.SetMessage(L"Saved", CRect(), MSG_INFO);
    Platform().ProcessPending();
    PaintManager& pm = d.GetPaintManager();
    EXPECT_EQ(pm.GetOverlayAlpha(), 255);
    // The default box: 200 x 58 at the bottom centre; its inner fill is near white.
    EXPECT_TRUE(Near(Rgb(NullPlatform::Screen(*w).PixelAt(60, 62)), RGB(0xFE, 0xFE, 0xFE)));
    Platform().AdvanceTime(3000 + 1150);
    EXPECT_EQ(pm.GetOverlayAlpha(), 25);
    Platform().AdvanceTime(50);
    EXPECT_EQ(pm.GetOverlayAlpha(), 0);
    EXPECT_FALSE(NullPlatform::HasTimer(*w, kOverlayFadeTimerId));
    EXPECT_TRUE(Near(Rgb(NullPlatform::Screen(*w).PixelAt(60, 62)), RGB(6, 15, 16)));
}

TEST_F(PaintingTest, ProgressAnimatesLargeJumpsAndIgnoresRepeats) {
    RecordingDialog d;
    NativeWindow* w = d.Open(300, 120);
    PaintManager& pm = d.GetPaintManager();
    pm.SetProgress(3, L"Loading", CRect());
    EXPECT_EQ(pm.GetProgress(), 3);  // less than 6 ahead: shown at once
    pm.SetProgress(50, L"Loading", CRect());
    EXPECT_EQ(pm.GetProgress(), 3);
    Platform().AdvanceTime(100);  // +2 every 10 ms
    EXPECT_EQ(pm.GetProgress(), 23);
    pm.SetProgress(50, L"Loading", CRect());  // the same target again: nothing restarts
    Platform().AdvanceTime(140);
    EXPECT_EQ(pm.GetProgress(), 50);
    EXPECT_FALSE(NullPlatform::HasTimer(*w, kProgressTimerId));
    pm.SetProgress(100, L"Done", CRect());
    Platform().AdvanceTime(250);
    EXPECT_EQ(pm.GetProgress(), 100);
    EXPECT_TRUE(NullPlatform::HasTimer(*w, kOverlayFadeTimerId));
}

}  // namespace
}  // namespace tessera_test
