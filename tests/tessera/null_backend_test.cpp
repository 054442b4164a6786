// The headless backend's own promises that the UI tests lean on: edit fields, tips,
// posting from other threads, the fake clock.

#include <gtest/gtest.h>

#include <thread>

#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

class NullBackendTest : public NullUiTest {};

class EditRecorder : public NativeEditSink {
public:
    void OnEditTextChanged() override { ++changes; }
    void OnEditKillFocus() override { ++focusLost; }
    void OnEditKey(unsigned vk) override { keys.push_back(vk); }
    int changes = 0;
    int focusLost = 0;
    std::vector<unsigned> keys;
};

TEST_F(NullBackendTest, EditFieldTypesKeepsItsLimitAndLosesFocusOnAClickElsewhere) {
    RecordingDialog d;
    NativeWindow* w = d.Open(200, 100);
    EditRecorder sink;
    auto edit = Platform().CreateEdit(*w, sink);
    edit->SetRect(CRect(10, 10, 110, 30));
    edit->SetMaxLength(5);
    edit->SetText(L"ab");
    edit->Show(true);
    edit->Focus();
    edit->SelectAll();
    NullPlatform::TypeInto(*edit, L"hello world");
    EXPECT_EQ(edit->GetText(), L"hello");  // selection replaced, then the limit
    EXPECT_EQ(sink.changes, 5);
    NullPlatform::PressEditKey(*edit, VK_RETURN);
    EXPECT_EQ(sink.keys, std::vector<unsigned>{VK_RETURN});
    // A click inside the field stays with it; a click beside it takes the focus away.
    Platform().Click(*w, {20, 20});
    EXPECT_TRUE(edit->HasFocus());
    EXPECT_EQ(sink.focusLost, 0);
    Platform().Click(*w, {150, 80});
    EXPECT_FALSE(edit->HasFocus());
    EXPECT_EQ(sink.focusLost, 1);
}

TEST_F(NullBackendTest, TasksPostedFromOtherThreadsRunInOrderOnTheLoop) {
    std::vector<int> order;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            CurrentPlatform().PostToUi([&order, i] { order.push_back(i); });
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty());  // nothing runs until the UI thread pumps
    Platform().ProcessPending();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    }
}

TEST_F(NullBackendTest, TimersFireInTimeOrderAsOftenAsTheirPeriodFits) {
    struct Sink : WindowEventSink {
        std::vector<std::pair<std::uint64_t, WPARAM>> fired;
        LRESULT OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM) override {
            if (msg == WM_TIMER) {
                fired.emplace_back(CurrentPlatform().NowMs(), wParam);
            }
            return 0;
        }
    } sink;
    auto w = Platform().CreateNativeWindow(WindowParams{}, sink);
    w->SetTimer(1, 30);
    w->SetTimer(2, 20);
    w->SetTimer(3, 5);  // raised to 10 ms, as Windows does
    Platform().AdvanceTime(60);
    const std::vector<std::pair<std::uint64_t, WPARAM>> expected = {
        {10, 3}, {20, 2}, {20, 3}, {30, 1}, {30, 3}, {40, 2},
        {40, 3}, {50, 3}, {60, 1}, {60, 2}, {60, 3}};
    EXPECT_EQ(sink.fired, expected);
    w->Destroy();
}

TEST_F(NullBackendTest, HoveringAControlWithATooltipShowsItAndLeavingHidesIt) {
    RecordingDialog d;
    Probe* probe = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        probe = static_cast<Probe*>(
            dd.GetPaintManager().AddControl(1, std::make_unique<Probe>(8, CRect(10, 10, 50, 50))));
        probe->SetTooltip(L"Brightness");
    };
    NativeWindow* w = d.Open(100, 100);
    Platform().MouseMove(*w, {20, 20});
    NativeTooltip* tip = d.GetPaintManager().GetToolTipWnd();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->IsActive());
    EXPECT_EQ(tip->GetText(), L"Brightness");
    EXPECT_EQ(d.GetTooltipCtrlID(), 8);
    Platform().MouseMove(*w, {80, 80});
    EXPECT_FALSE(tip->IsActive());
}

}  // namespace
}  // namespace tessera_test
