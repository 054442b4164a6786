// The analysis cycle allocates nothing.

#include <gtest/gtest.h>

#include <memory>

#include "music/visualizer.h"
#include "tests/music/allocation_counter.h"
#include "tests/music/fake_audio_capture.h"

namespace keyloom {
namespace {

TEST(AnalysisCycle, AllocatesNothing) {
    music_test::FakeCaptureState state;
    for (int i = 0; i < 40; ++i) {
        state.packets.push_back(music_test::ConstantPacket(480, 0.01F * static_cast<float>(i % 5)));
    }
    auto visualizer =
        std::make_unique<Visualizer>(std::make_unique<music_test::FakeAudioCapture>(state));
    visualizer->Initialise();
    visualizer->RunCycle();  // first use of everything outside the measurement
    for (int mode : {13, 17, 15}) {
        visualizer->SetForegroundMode(mode);
        visualizer->SetBackgroundMode(mode == 13 ? 19 : 18);
        const long before = music_test::AllocationCount();
        for (int cycle = 0; cycle < 10; ++cycle) {
            visualizer->RunCycle();
        }
        EXPECT_EQ(music_test::AllocationCount() - before, 0) << "mode " << mode;
    }
    EXPECT_GT(state.reads, 10);  // the cycles did read packets
}

}  // namespace
}  // namespace keyloom
