// Counts every allocation of the process so a test can show that the analysis cycle
// allocates nothing.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "music/visualizer.h"
#include "tests/music/fake_audio_capture.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t /*size*/) noexcept {
    std::free(block);
}

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
        const long before = g_allocations.load();
        for (int cycle = 0; cycle < 10; ++cycle) {
            visualizer->RunCycle();
        }
        EXPECT_EQ(g_allocations.load() - before, 0) << "mode " << mode;
    }
    EXPECT_GT(state.reads, 10);  // the cycles did read packets
}

}  // namespace
}  // namespace keyloom
