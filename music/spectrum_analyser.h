#pragma once

// The analysis of the visualiser: the sample history fed from captured packets, the
// windowed real FFT, the 64 bins spread over 256 levels, smoothing over frequency and
// publishing. Every buffer is a fixed member: a cycle allocates nothing.

#include <kiss_fftr.h>

#include <array>
#include <memory>

#include "music/frame_image.h"
#include "platform/audio_capture.h"

namespace keyloom {

inline constexpr int kHistoryFloats = 512;
inline constexpr int kHistorySamples = 256;
inline constexpr int kUsedBins = 64;

using HistoryBuffer = std::array<float, kHistoryFloats>;

enum WindowType { kWindowNone = 0, kWindowHann = 1, kWindowHamming = 2, kWindowBlackman = 3 };
enum SmoothingMode { kSmoothingBlock = 0, kSmoothingMoving = 1 };

// Smooths the levels over frequency with width n: mode 0 averages blocks, mode 1 is a
// moving average computed in place (already smoothed values to the left take part).
void SmoothLevels(LevelArray& levels, int mode, int width);

class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // Every level is multiplied by percent / 100.
    void Decay(int percent);
    // Appends one sample per four float values of the packet (⌈frames / 4⌉ samples),
    // each the mean of its four values × 2 × gain. Reads no further than packet.values.
    void AddPacket(const AudioPacket& packet, int gain);
    // Window, transform and the level of every bin (the levels keep their decayed value
    // where the new one is lower).
    void UpdateLevels(int window_type);
    void Smooth(int mode, int width) { SmoothLevels(levels_, mode, width); }
    // published[k] moves towards levels[k] by the response weight.
    void Publish(float response, LevelArray& published) const;

    const LevelArray& Levels() const { return levels_; }
    LevelArray& MutableLevels() { return levels_; }
    // The 512-float history: the last 256 samples, oldest first, each stored twice.
    void CopyHistory(HistoryBuffer& out) const;
    // The packed spectrum of the last UpdateLevels (bin b at 2b, 2b + 1, weighted).
    const std::array<float, kHistoryFloats>& Spectrum() const { return work_; }
    float WindowValue(int window_type, int i) const;

private:
    struct FftConfigDeleter {
        void operator()(kiss_fftr_state* config) const;
    };

    std::unique_ptr<kiss_fftr_state, FftConfigDeleter> fft_;
    std::array<std::array<float, kHistorySamples>, 3> windows_{};
    std::array<float, kHistorySamples> weighting_{};
    std::array<float, kHistorySamples> ring_{};  // one value per sample
    int oldest_ = 0;                             // ring position of the oldest sample
    std::array<float, kHistoryFloats> input_{};
    std::array<float, kHistoryFloats> work_{};
    std::array<kiss_fft_cpx, kHistoryFloats / 2 + 1> bins_{};
    LevelArray levels_{};
};

}  // namespace keyloom
