// End to end: a tone played into the private sound server's default sink raises the
// visualiser's levels at the tone's bins; in silence they then decay by a fifth per cycle.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "music/visualizer.h"
#include "tests/platform/sound_server_helpers.h"

namespace keyloom {
namespace {

using audio_test::Pactl;
using Clock = std::chrono::steady_clock;

// 48 kHz frames, two frames to a sample and each sample stored twice: bin k of the 512-point
// transform is k × 93.75 Hz, so 1875 Hz is bin 20 (levels 80..83).
constexpr double kToneFrequency = 1875.0;
constexpr int kToneLevel = 80;

class VisualizerOnSoundServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("PULSE_SERVER") == nullptr) {
            GTEST_SKIP() << "PULSE_SERVER not set: no private sound server";
        }
        visualizer = std::make_unique<Visualizer>(CreateLoopbackCapture());
        visualizer->Initialise();
    }

    // One cycle at the analysis thread's pace.
    LevelArray Cycle() {
        visualizer->RunCycle();
        std::this_thread::sleep_for(kActiveCycleSleep);
        LevelArray levels{};
        visualizer->CopyLevels(levels);
        return levels;
    }

    bool HistorySilent() const {
        HistoryBuffer history{};
        visualizer->CopyHistory(history);
        return std::all_of(history.begin(), history.end(), [](float v) { return v == 0.0F; });
    }

    std::unique_ptr<Visualizer> visualizer;
};

TEST_F(VisualizerOnSoundServer, ToneRaisesItsBinsThenSilenceDecays) {
    ASSERT_TRUE(visualizer->IsCaptureOpen());
    ASSERT_EQ(visualizer->Devices().size(), 1u);

    // Quiet enough that only the bins around the tone reach the top.
    auto tone = std::make_unique<audio_test::TonePlayer>(kToneFrequency, 0.0003F);
    ASSERT_TRUE(tone->Playing());
    LevelArray levels{};
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    int strong_cycles = 0;
    while (strong_cycles < 10 && Clock::now() < deadline) {
        levels = Cycle();
        strong_cycles = levels[kToneLevel] > 0.5F ? strong_cycles + 1 : 0;
    }
    ASSERT_EQ(strong_cycles, 10) << "the tone's level stayed at " << levels[kToneLevel];
    const auto peak = std::max_element(levels.begin() + 8, levels.end()) - levels.begin();
    EXPECT_GE(peak, kToneLevel - 8);
    EXPECT_LE(peak, kToneLevel + 12);  // the in-place smoothing leans to the right
    // Far from the tone the spectrum stays low.
    const float low = std::accumulate(levels.begin() + 8, levels.begin() + 40, 0.0F) / 32.0F;
    const float high = std::accumulate(levels.begin() + 192, levels.end(), 0.0F) / 64.0F;
    EXPECT_LT(low, levels[kToneLevel] / 4.0F);
    EXPECT_LT(high, levels[kToneLevel] / 4.0F);

    tone.reset();
    const auto quiet_deadline = Clock::now() + std::chrono::seconds(10);
    while (!HistorySilent() && Clock::now() < quiet_deadline) {
        levels = Cycle();
    }
    ASSERT_TRUE(HistorySilent()) << "no silence arrived";

    // In silence each bin's level is 80 % of the last (over its four levels), then smoothed.
    for (int cycle = 0; cycle < 5; ++cycle) {
        LevelArray expected = levels;
        for (std::size_t b = 0; b < kUsedBins; ++b) {
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(4 * b), 4,
                        expected[4 * b] * 0.8F);
        }
        SmoothLevels(expected, kSmoothingMoving, 8);
        const float before = levels[kToneLevel];
        levels = Cycle();
        ASSERT_TRUE(HistorySilent());
        for (std::size_t i = 0; i < levels.size(); ++i) {
            ASSERT_NEAR(levels[i], expected[i], 1e-6) << "cycle " << cycle << " level " << i;
        }
        EXPECT_LT(levels[kToneLevel], before * 0.85F);
        EXPECT_GT(levels[kToneLevel], before * 0.7F);
    }
}

TEST_F(VisualizerOnSoundServer, FollowsTheDefaultSinkOnItsOwnThread) {
    const std::string original = Pactl("get-default-sink");
    const std::string module = Pactl("load-module module-null-sink sink_name=keyloom_viz_alt");
    ASSERT_FALSE(module.empty());
    visualizer->StartThread();
    visualizer->SetActive(true);

    Pactl("set-default-sink keyloom_viz_alt");
    auto following = [&](const std::string& monitor) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            const std::vector<Visualizer::Device> devices = visualizer->Devices();
            if (devices.size() == 1 && devices[0].endpoint.id == monitor &&
                visualizer->IsCaptureOpen()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    };
    EXPECT_TRUE(following("keyloom_viz_alt.monitor"));

    // And back, while inactive (the idle loop handles the change too).
    visualizer->SetActive(false);
    Pactl("set-default-sink " + original);
    EXPECT_TRUE(following(original + ".monitor"));

    // The captured sink disappears while active: the server falls back to another default
    // and the capture follows it.
    visualizer->SetActive(true);
    Pactl("set-default-sink keyloom_viz_alt");
    ASSERT_TRUE(following("keyloom_viz_alt.monitor"));
    Pactl("unload-module " + module);
    EXPECT_TRUE(following(original + ".monitor"));
    visualizer.reset();
}

}  // namespace
}  // namespace keyloom
