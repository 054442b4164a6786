#include "tessera/keyboard/keyboard_tips.h"

#include <gtest/gtest.h>

#include "tests/tessera_keyboard/host_window.h"

namespace tkbd_test {
namespace {

class KeyboardTipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(tips.CreateTipWindow(&host.Window()), nullptr);
        tips.ShowWindow(SW_SHOW);
    }
    CRect WindowRect() {
        CRect r;
        tips.GetWindowRect(r);
        return r;
    }
    HostWindow host;
    CKeyboardTips tips;
};

TEST_F(KeyboardTipsTest, SitsCentredAboveTheAnchorAndPaintsItsLines) {
    EXPECT_EQ(tips.GetType(), 1);
    EXPECT_EQ(tips.SetAirBladderMsg(L"Esc", L"Keyboard", L"Esc", CPoint(500, 300)), 1);
    EXPECT_EQ(WindowRect(), CRect(425, 220, 575, 300));
    EXPECT_EQ(tips.GetType(), 5);
    EXPECT_EQ(tips.GetMode(), 4);
    const Surface& buffer = tips.GetBuffer();
    ASSERT_EQ(buffer.Width(), 150);
    EXPECT_EQ(RgbAt(buffer, 5, 75), 0x232323u) << "the dark background";
    int textPixels = 0;
    for (int y = 15; y < 70; ++y) {
        for (int x = 10; x < 140; ++x) {
            const std::uint32_t rgb = RgbAt(buffer, x, y);
            textPixels += (rgb >> 16) > 0x80 && ((rgb >> 8) & 0xFF) < 0x60;
        }
    }
    EXPECT_GT(textPixels, 20) << "orange text on the two lines";
}

TEST_F(KeyboardTipsTest, IdenticalMessagesNeitherMoveNorRepaint) {
    tips.SetAirBladderMsg(L"F1", L"", L"Macro", CPoint(300, 300));
    const int paints = tips.GetPaintCount();
    tips.MoveWindow(0, 0, 150, 80);
    tips.SetAirBladderMsg(L"F1", L"", L"Macro", CPoint(300, 300));
    EXPECT_EQ(tips.GetPaintCount(), paints);
    EXPECT_EQ(WindowRect(), CRect(0, 0, 150, 80));
    tips.SetAirBladderMsg(L"F1", L"", L"Macro", CPoint(301, 300));
    EXPECT_EQ(WindowRect(), CRect(226, 220, 376, 300));
}

TEST_F(KeyboardTipsTest, AnEmptyTitleIsStoredButDoesNotMoveTheWindow) {
    tips.SetAirBladderMsg(L"F1", L"", L"x", CPoint(300, 300));
    tips.SetAirBladderMsg(L"", L"a", L"b", CPoint(700, 700));
    EXPECT_EQ(tips.GetSecond(), L"b");
    EXPECT_EQ(tips.GetAnchor(), CPoint(700, 700));
    EXPECT_EQ(WindowRect(), CRect(225, 220, 375, 300));
}

TEST_F(KeyboardTipsTest, NeverTakesActivationOrTheMouse) {
    ASSERT_TRUE(host.Window().IsActive());
    tips.ShowWindow(SW_HIDE);
    tips.ShowWindow(SW_SHOW);
    EXPECT_TRUE(tips.IsWindowVisible());
    EXPECT_TRUE(host.Window().IsActive());
    host.Platform().Click(*tips.GetSafeHwnd(), CPoint(10, 10));
    EXPECT_TRUE(host.Window().IsActive()) << "a click on the tip leaves the owner active";
    EXPECT_EQ(tips.SendMessageW(WM_NCHITTEST, 0, 0), 0);
}

TEST_F(KeyboardTipsTest, TheHideTimerAndTheCloseMessage) {
    tips.SetTimer(kTipHideTimerId, 100);
    host.Platform().AdvanceTime(150);
    EXPECT_FALSE(tips.IsWindowVisible());
    EXPECT_EQ(tips.LoadBKImage(L"missing.png"), 0);
    tips.SendMessageW(kTipCloseMessage, 0, 0);
    host.Platform().ProcessPending();
    EXPECT_EQ(tips.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace tkbd_test
