#include "music/visualizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <numbers>
#include <thread>

#include "tests/music/fake_audio_capture.h"

namespace keyloom {
namespace {

using music_test::ConstantPacket;
using music_test::FakeAudioCapture;
using music_test::FakeCaptureState;
using music_test::ScriptedPacket;

// A stereo packet holding `samples` analysis samples of a sine with `cycles` cycles over
// 256 samples.
ScriptedPacket TonePacket(int samples, float cycles, float amplitude) {
    ScriptedPacket packet;
    packet.frames = 4 * static_cast<std::size_t>(samples);
    for (int n = 0; n < samples; ++n) {
        const float v = amplitude * std::sin(2.0F * std::numbers::pi_v<float> * cycles *
                                             static_cast<float>(n) / 256.0F);
        packet.values.insert(packet.values.end(), 4, v);
    }
    return packet;
}

class VisualizerTest : public ::testing::Test {
protected:
    VisualizerTest()
        : visualizer(std::make_unique<Visualizer>(std::make_unique<FakeAudioCapture>(state))) {}

    LevelArray Levels() const {
        LevelArray levels{};
        visualizer->CopyLevels(levels);
        return levels;
    }
    std::unique_ptr<FrameImage> Image() const {
        auto image = std::make_unique<FrameImage>();
        visualizer->CopyPublishedImage(*image);
        return image;
    }

    FakeCaptureState state;
    std::unique_ptr<Visualizer> visualizer;
};

TEST_F(VisualizerTest, InitialiseOpensTheDefaultDeviceForLoopback) {
    visualizer->Initialise();
    ASSERT_EQ(visualizer->Devices().size(), 1u);
    EXPECT_EQ(visualizer->Devices()[0].name, L"Default Loopback Device");
    EXPECT_TRUE(state.open);
    EXPECT_TRUE(state.loopback);
    EXPECT_EQ(state.opened_id, "sink-a.monitor");
}

TEST_F(VisualizerTest, NoPlaybackDeviceOpensNothingUntilOneAppears) {
    state.default_endpoint.reset();
    visualizer->Initialise();
    EXPECT_TRUE(visualizer->Devices().empty());
    EXPECT_FALSE(visualizer->IsCaptureOpen());
    visualizer->RunCycle();  // composes without a stream

    state.default_endpoint = AudioEndpoint{"late.monitor", L"Late"};
    visualizer->SetDeviceIndex(4);  // beyond the list: entry 0
    visualizer->ReopenCapture();
    EXPECT_TRUE(visualizer->IsCaptureOpen());
    EXPECT_EQ(state.opened_id, "late.monitor");
}

TEST_F(VisualizerTest, DefaultDeviceChangeReopensFromTheAnalysisSide) {
    visualizer->Initialise();
    state.default_endpoint = AudioEndpoint{"sink-b.monitor", L"Sink B"};
    ASSERT_TRUE(state.handler);
    state.handler();  // the backend's thread only notes the change
    EXPECT_EQ(state.opened_id, "sink-a.monitor");
    visualizer->RunCycle();
    EXPECT_EQ(state.opened_id, "sink-b.monitor");
    EXPECT_EQ(state.opens, 2);
    EXPECT_EQ(visualizer->Devices().size(), 1u);
}

TEST_F(VisualizerTest, CaptureReadsEveryQueuedPacketAndStopsAtAnEmptyOne) {
    visualizer->Initialise();
    state.packets = {ConstantPacket(8, 0.1F), ConstantPacket(8, 0.1F), ScriptedPacket{{}, 0, false},
                     ConstantPacket(8, 0.1F)};
    visualizer->RunCycle();
    EXPECT_EQ(state.reads, 3);
    EXPECT_EQ(state.releases, 3);
    EXPECT_FALSE(state.outstanding);
    visualizer->RunCycle();
    EXPECT_EQ(state.reads, 4);
}

TEST_F(VisualizerTest, LostStreamIsClosedAndTheCycleGoesOn) {
    visualizer->Initialise();
    state.packets = {TonePacket(256, 20.0F, 0.001F), ScriptedPacket{{}, 4, true},
                     ConstantPacket(8, 0.1F)};
    visualizer->RunCycle();
    EXPECT_FALSE(visualizer->IsCaptureOpen());
    EXPECT_EQ(state.closes, 1);
    EXPECT_EQ(state.reads, 2);
    const float level = Levels()[80];
    EXPECT_GT(level, 0.0F);
    visualizer->RunCycle();
    EXPECT_EQ(state.reads, 2);              // nothing is read from a closed stream
    EXPECT_GT(Levels()[80], 0.8F * level);  // the cycle still runs on the history it has
}

TEST_F(VisualizerTest, ToneRaisesItsBinsThenSilenceDecaysByAFifthPerCycle) {
    visualizer->Initialise();
    visualizer->SetSmoothing(kSmoothingMoving, 0);
    visualizer->SetForegroundMode(1);
    visualizer->SetBackgroundMode(0);
    state.packets = {TonePacket(256, 20.0F, 0.001F)};
    visualizer->RunCycle();
    LevelArray levels = Levels();
    EXPECT_GT(levels[80], 0.9F);  // 20 cycles over 256 samples: bin 20, levels 80..83
    EXPECT_EQ(levels[83], levels[80]);
    EXPECT_LT(levels[160], 0.1F);

    state.packets.push_back(TonePacket(256, 0.0F, 0.0F));  // silence fills the history
    for (int cycle = 0; cycle < 5; ++cycle) {
        const LevelArray before = Levels();
        visualizer->RunCycle();
        levels = Levels();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            ASSERT_NEAR(levels[i], before[i] * 0.8F, 1e-6) << "cycle " << cycle << " level " << i;
        }
    }
    for (int cycle = 0; cycle < 30; ++cycle) {
        visualizer->RunCycle();
    }
    const auto image = Image();
    for (uint32_t pixel : *image) {
        ASSERT_EQ(pixel, 0u);  // only the (black) background is left, row 0 included
    }
}

TEST_F(VisualizerTest, SmoothedLevelsDecayThroughTheSmoothing) {
    visualizer->Initialise();
    state.packets = {TonePacket(256, 20.0F, 0.001F)};
    visualizer->RunCycle();
    state.packets.push_back(TonePacket(256, 0.0F, 0.0F));
    for (int cycle = 0; cycle < 3; ++cycle) {
        // In silence each bin keeps its decayed level 4b over its four levels, then the
        // levels are smoothed.
        LevelArray expected = Levels();
        for (std::size_t b = 0; b < kUsedBins; ++b) {
            const float decayed = expected[4 * b] * 0.8F;
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(4 * b), 4, decayed);
        }
        SmoothLevels(expected, kSmoothingMoving, 8);
        visualizer->RunCycle();
        const LevelArray levels = Levels();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            ASSERT_NEAR(levels[i], expected[i], 1e-6) << i;
        }
    }
}

TEST_F(VisualizerTest, HueWrapsAtTheStartOfThe73rdCycle) {
    for (int cycle = 0; cycle < 71; ++cycle) {
        visualizer->RunCycle();
    }
    EXPECT_EQ(visualizer->HueAngle(), 355.0F);
    visualizer->RunCycle();
    EXPECT_EQ(visualizer->HueAngle(), 360.0F);
    visualizer->RunCycle();
    EXPECT_EQ(visualizer->HueAngle(), 5.0F);
}

TEST_F(VisualizerTest, PublishedImageFollowsTheSettings) {
    visualizer->SetForegroundMode(19);
    visualizer->SetBackgroundMode(2);
    visualizer->SetBackgroundBrightness(50);
    visualizer->SetHueAngle(120.0F);
    visualizer->RunCycle();
    const auto image = Image();
    EXPECT_EQ((*image)[PixelIndex(0, 63)], 0x00007Eu);  // no level: background red at 50
}

TEST(VisualizerWithoutCapture, RunsOnSilence) {
    auto visualizer = std::make_unique<Visualizer>(nullptr);
    visualizer->Initialise();
    visualizer->ReopenCapture();
    visualizer->RunCycle();
    EXPECT_FALSE(visualizer->IsCaptureOpen());
    EXPECT_TRUE(visualizer->Devices().empty());
}

TEST_F(VisualizerTest, ThreadAnalysesOnlyWhileActive) {
    visualizer->Initialise();
    visualizer->StartThread();
    auto image = std::make_unique<FrameImage>();
    auto wait_for_hue_change = [&](float from) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (visualizer->HueAngle() == from && std::chrono::steady_clock::now() < deadline) {
            visualizer->CopyPublishedImage(*image);  // races the swap if unguarded
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return visualizer->HueAngle() != from;
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(visualizer->HueAngle(), 0.0F);  // inactive: no cycle

    visualizer->SetActive(true);
    ASSERT_TRUE(wait_for_hue_change(0.0F));
    visualizer->SetForegroundMode(17);

    visualizer->PauseForSettings();
    EXPECT_FALSE(visualizer->IsActive());
    const float paused = visualizer->HueAngle();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(visualizer->HueAngle(), paused);

    visualizer->SetActive(true);
    EXPECT_TRUE(wait_for_hue_change(paused));
    visualizer.reset();  // stops and joins the thread
}

}  // namespace
}  // namespace keyloom
