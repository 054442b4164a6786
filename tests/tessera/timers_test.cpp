// Control timers on the fake clock.

#include <gtest/gtest.h>

#include <set>

#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

class TimersTest : public NullUiTest {
protected:
    void SetUp() override {
        NullUiTest::SetUp();
        dialog.build = [&](RecordingDialog& d, CRect) {
            probe = static_cast<Probe*>(
                d.GetPaintManager().AddControl(1, std::make_unique<Probe>(1, CRect(0, 0, 10, 10))));
            other = static_cast<Probe*>(d.GetPaintManager().AddControl(
                1, std::make_unique<Probe>(2, CRect(20, 0, 30, 10))));
        };
        window = dialog.Open(40, 20);
    }
    PaintManager& Pm() { return dialog.GetPaintManager(); }
    int Ticks(const Probe* p) const {
        return static_cast<int>(std::count(p->calls.begin(), p->calls.end(), "timer"));
    }

    RecordingDialog dialog;
    NativeWindow* window = nullptr;
    Probe* probe = nullptr;
    Probe* other = nullptr;
};

TEST_F(TimersTest, TicksTheControlEveryPeriod) {
    ASSERT_EQ(Pm().SetTimer(probe, 5, 100), 1);
    Platform().AdvanceTime(350);
    EXPECT_EQ(Ticks(probe), 3);
    EXPECT_EQ(Ticks(other), 0);
}

TEST_F(TimersTest, SecondSetWhileRunningReturnsZeroAndRestartKeepsTheEventId) {
    ASSERT_EQ(Pm().SetTimer(probe, 5, 100), 1);
    EXPECT_EQ(Pm().SetTimer(probe, 5, 100), 0);
    const unsigned id = Pm().GetTimerRecords().front().eventId;
    EXPECT_TRUE(NullPlatform::HasTimer(*window, id));

    EXPECT_EQ(Pm().KillTimer(probe, 5), 1);
    EXPECT_FALSE(NullPlatform::HasTimer(*window, id));
    Platform().AdvanceTime(300);
    EXPECT_EQ(Ticks(probe), 0);

    EXPECT_EQ(Pm().SetTimer(probe, 5, 100), 1);
    ASSERT_EQ(Pm().GetTimerRecords().size(), 1u);
    EXPECT_EQ(Pm().GetTimerRecords().front().eventId, id);
    Platform().AdvanceTime(100);
    EXPECT_EQ(Ticks(probe), 1);
}

TEST_F(TimersTest, RefusedTimerReturnsZero) {
    Platform().SetRefuseTimers(true);
    EXPECT_EQ(Pm().SetTimer(probe, 1, 50), 0);
    EXPECT_TRUE(Pm().GetTimerRecords().empty());
}

TEST_F(TimersTest, EventIdsAvoidTheManagersOwnAndEachOther) {
    std::set<unsigned> ids;
    for (unsigned key = 0; key < 120; ++key) {
        ASSERT_EQ(Pm().SetTimer(key % 2 ? probe : other, key, 1000), 1);
    }
    for (const auto& r : Pm().GetTimerRecords()) {
        EXPECT_LT(r.eventId, 240u);
        EXPECT_NE(r.eventId, kMessageHoldTimerId);
        EXPECT_NE(r.eventId, kOverlayFadeTimerId);
        EXPECT_NE(r.eventId, kProgressTimerId);
        ids.insert(r.eventId);
    }
    EXPECT_EQ(ids.size(), 120u);
    // The sequence starts after 4096: (4096 + 1) mod 240.
    EXPECT_EQ(Pm().GetTimerRecords().front().eventId, 17u);
}

TEST_F(TimersTest, KillingAllOfAControlsTimersAndRemovingAControlStopIt) {
    Pm().SetTimer(probe, 1, 100);
    Pm().SetTimer(probe, 2, 100);
    Pm().SetTimer(other, 1, 100);
    Pm().KillTimer(probe);
    EXPECT_EQ(Pm().GetTimerRecords().size(), 1u);
    Platform().AdvanceTime(100);
    EXPECT_EQ(Ticks(probe), 0);
    EXPECT_EQ(Ticks(other), 1);
    // A removed control's timer goes with it; later ticks reach nothing freed.
    Pm().RemoveControl(other);
    EXPECT_TRUE(Pm().GetTimerRecords().empty());
    Platform().AdvanceTime(500);
}

TEST_F(TimersTest, HidingAControlKeepsItsTimer) {
    Pm().SetTimer(probe, 1, 100);
    probe->SetVisible(0);
    probe->SetVisible(1);
    ASSERT_EQ(Pm().GetTimerRecords().size(), 1u);
    Platform().AdvanceTime(100);
    EXPECT_EQ(Ticks(probe), 1);
}

TEST_F(TimersTest, TickTimerReachesOnlyVisibleControlsThatRunTimers) {
    Pm().AddMTimer(probe);
    Pm().AddMTimer(other);
    probe->SetRunTimer(1);
    other->SetRunTimer(1);
    other->SetVisible(0);
    ASSERT_NE(Pm().SetMTimer(20), 0u);
    Platform().AdvanceTime(100);
    EXPECT_EQ(Ticks(probe), 5);
    EXPECT_EQ(Ticks(other), 0);
}

}  // namespace
}  // namespace tessera_test
