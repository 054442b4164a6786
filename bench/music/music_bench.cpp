// The visualiser's hot paths: one analysis cycle (with the allocations it makes), the
// analysis thread's share of one core at its 15 ms cycle, and the music frame build.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <numbers>
#include <thread>
#include <vector>

#include "music/music_frame.h"
#include "music/visualizer.h"
#include "tests/music/allocation_counter.h"

namespace keyloom {
namespace {

// Hands out one cycle's worth of sound (15 ms of 48 kHz stereo music-like signal) per
// cycle, as a live stream would.
class SteadyCapture : public AudioCapture {
public:
    SteadyCapture() : values_(2 * kFrames) {
        for (std::size_t f = 0; f < kFrames; ++f) {
            const double t = static_cast<double>(f) / 48000.0;
            const auto v = static_cast<float>(0.0004 * std::sin(2 * std::numbers::pi * 440 * t) +
                                              0.0002 * std::sin(2 * std::numbers::pi * 3100 * t));
            values_[2 * f] = v;
            values_[2 * f + 1] = v;
        }
    }
    std::optional<AudioEndpoint> DefaultPlaybackEndpoint() override {
        return AudioEndpoint{"steady", L"steady"};
    }
    bool OpenStream(const AudioEndpoint& /*endpoint*/, bool /*loopback*/) override {
        open_.store(true);
        return true;
    }
    void CloseStream() override { open_.store(false); }
    bool IsStreamOpen() const override { return open_.load(); }
    PacketResult NextPacket(AudioPacket& packet) override {
        if (!open_.load() || given_) {
            given_ = false;  // one packet per cycle
            return PacketResult::kNone;
        }
        given_ = true;
        packet = AudioPacket{values_.data(), kFrames, values_.size()};
        return PacketResult::kPacket;
    }
    void ReleasePacket() override {}
    void SetDefaultDeviceChangedHandler(std::function<void()> /*handler*/) override {}

private:
    static constexpr std::size_t kFrames = 720;
    std::vector<float> values_;
    std::atomic<bool> open_{false};
    bool given_ = false;
};

std::unique_ptr<Visualizer> MakeVisualizer(int foreground, int background) {
    auto visualizer = std::make_unique<Visualizer>(std::make_unique<SteadyCapture>());
    visualizer->Initialise();
    visualizer->SetForegroundMode(foreground);
    visualizer->SetBackgroundMode(background);
    visualizer->SetGain(100);
    return visualizer;
}

// Arguments: foreground mode, background mode. 13/0 is the default music row; 17/18 draws
// two colour wheels, the most expensive pair.
void BM_AnalysisCycle(benchmark::State& state) {
    auto visualizer =
        MakeVisualizer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    visualizer->RunCycle();
    const long before = music_test::AllocationCount();
    for (auto _ : state) {
        visualizer->RunCycle();
    }
    state.counters["allocs_per_cycle"] =
        static_cast<double>(music_test::AllocationCount() - before) /
        static_cast<double>(state.iterations());
}
BENCHMARK(BM_AnalysisCycle)
    ->Args({13, 0})
    ->Args({17, 18})
    ->Args({15, 19})
    ->Unit(benchmark::kMicrosecond);

double ProcessCpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The analysis thread at its own pace; the counter is the process's CPU time over the run
// as a share of one core. The measuring thread only sleeps.
void ThreadShare(benchmark::State& state, std::unique_ptr<AudioCapture> capture) {
    const auto seconds = std::chrono::seconds(state.range(0));
    for (auto _ : state) {
        auto visualizer = std::make_unique<Visualizer>(std::move(capture));
        visualizer->Initialise();
        visualizer->StartThread();
        visualizer->SetActive(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // settled
        const double cpu_start = ProcessCpuSeconds();
        const auto wall_start = std::chrono::steady_clock::now();
        const float hue_start = visualizer->HueAngle();
        std::this_thread::sleep_for(seconds);
        const double cpu = ProcessCpuSeconds() - cpu_start;
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
        state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall.count();
        state.counters["capture_open"] = visualizer->IsCaptureOpen() ? 1 : 0;
        state.counters["hue_moved"] = visualizer->HueAngle() != hue_start ? 1 : 0;
        visualizer.reset();
    }
}

void BM_AnalysisThreadCpu(benchmark::State& state) {
    ThreadShare(state, std::make_unique<SteadyCapture>());
}
BENCHMARK(BM_AnalysisThreadCpu)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The same with the live capture backend, when a sound server is named.
void BM_AnalysisThreadCpuLiveCapture(benchmark::State& state) {
    if (std::getenv("PULSE_SERVER") == nullptr) {
        state.SkipWithError("PULSE_SERVER not set");
        for (auto _ : state) {
        }
        return;
    }
    ThreadShare(state, CreateLoopbackCapture());
}
BENCHMARK(BM_AnalysisThreadCpuLiveCapture)
    ->Arg(30)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_MusicFrameBuild(benchmark::State& state) {
    auto visualizer = MakeVisualizer(13, 17);
    for (int i = 0; i < 5; ++i) {
        visualizer->RunCycle();
    }
    for (auto _ : state) {
        ColourMap payload{};
        bool lit = false;
        visualizer->ReadPublishedImage([&](const FrameImage& image) {
            const MusicKeyColours colours = SampleKeyColours(image);
            lit = colours.lit;
            payload = BuildMusicPayload(colours.Keys());
        });
        benchmark::DoNotOptimize(payload);
        benchmark::DoNotOptimize(lit);
    }
}
BENCHMARK(BM_MusicFrameBuild)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keyloom
