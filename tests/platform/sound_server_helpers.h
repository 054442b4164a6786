#pragma once

// For the end-to-end audio tests, against the sound server named by the environment: a
// sine tone played into the default sink from a thread of its own, and pactl commands.

#include <pulse/simple.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace keyloom::audio_test {

class TonePlayer {
public:
    TonePlayer(double frequency, float amplitude) {
        const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, kRate, 2};
        int error = 0;
        stream_ = pa_simple_new(nullptr, "keyloom-test-tone", PA_STREAM_PLAYBACK, nullptr, "tone",
                                &format, nullptr, nullptr, &error);
        if (stream_ == nullptr) {
            return;
        }
        thread_ = std::thread([this, frequency, amplitude] { Play(frequency, amplitude); });
    }
    ~TonePlayer() { Stop(); }
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    bool Playing() const { return stream_ != nullptr; }

    void Stop() {
        stop_.store(true);
        if (thread_.joinable()) {
            thread_.join();
        }
        if (stream_ != nullptr) {
            pa_simple_free(stream_);
            stream_ = nullptr;
        }
    }

private:
    static constexpr uint32_t kRate = 48000;
    static constexpr std::size_t kBlockFrames = 480;

    void Play(double frequency, float amplitude) {
        std::vector<float> block(2 * kBlockFrames);
        std::size_t frame = 0;
        while (!stop_.load()) {
            for (std::size_t i = 0; i < kBlockFrames; ++i, ++frame) {
                const double t = static_cast<double>(frame) / kRate;
                const auto v = static_cast<float>(amplitude *
                                                  std::sin(2.0 * std::numbers::pi * frequency * t));
                block[2 * i] = v;
                block[2 * i + 1] = v;
            }
            int error = 0;
            if (pa_simple_write(stream_, block.data(), block.size() * sizeof(float), &error) < 0) {
                return;
            }
        }
    }

    pa_simple* stream_ = nullptr;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Runs a pactl command; the first line of its output.
inline std::string Pactl(const std::string& arguments) {
    std::string output;
    if (FILE* pipe = popen(("pactl " + arguments + " 2>/dev/null").c_str(), "r")) {
        char line[256];
        if (fgets(line, sizeof line, pipe) != nullptr) {
            output = line;
        }
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

}  // namespace keyloom::audio_test
