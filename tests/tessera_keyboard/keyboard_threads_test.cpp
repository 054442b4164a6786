#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/tessera_keyboard/keyboard_fixture.h"

namespace tkbd_test {
namespace {

TEST_F(KeyboardDrawTest, ColoursSetFromAWorkerThreadAreDrawnAfterARepaintOnTheUiThread) {
    kb->SetKeyboardType(KEYBOARD_TYPE_MUSIC);
    kb->SetRGBMode(1);
    host.Paint();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 300; ++i) {
            kb->SetKeyColor(kEsc, RGB(i & 0xFF, 0, 0));
            kb->SetKeyCheck(kF1, i & 1);
            if (i % 50 == 0) {
                kb->SetLightModeColor(0, RGB(0, 0, i & 0xFF));
            }
            (void)kb->GetCheckItemCount();
        }
        kb->SetLightModeColor(0, RGB(0, 255, 0));
        done = true;
    });
    while (!done) {
        host.Paint();
    }
    worker.join();
    EXPECT_EQ(At(TopEdge(kOnA)), 0x00FF00u) << "the last change reached the screen";
    EXPECT_EQ(At(TopEdge(kOnB)), 0x00FF00u);
}

TEST_F(KeyboardCtrlTest, ARepaintPostedByAWorkerAfterTheControlIsGoneDoesNothing) {
    std::thread worker([&] { kb->ResetAllItemColor(); });
    worker.join();
    host.Dialog().GetPaintManager().ClearAllControls();
    host.Platform().ProcessPending();  // runs the posted repaint (ASan watches it)
    EXPECT_EQ(host.Dialog().GetControl(kCtrlId), nullptr);
}

}  // namespace
}  // namespace tkbd_test
