#include "music/spectrum_analyser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace keyloom {
namespace {

float Mean(const LevelArray& levels, int first, int count) {
    float sum = 0.0F;
    for (int i = first; i < first + count; ++i) {
        sum += levels[static_cast<std::size_t>(i)];
    }
    return sum / static_cast<float>(count);
}

void FillWithMean(LevelArray& levels, int first, int count) {
    const float mean = Mean(levels, first, count);
    std::fill_n(levels.begin() + first, count, mean);
}

}  // namespace

void SmoothLevels(LevelArray& levels, int mode, int width) {
    if (width <= 0) {
        return;
    }
    auto at = [&levels](int i) -> float& { return levels[static_cast<std::size_t>(i)]; };
    if (mode == kSmoothingBlock) {
        const int n = std::min(width, kLevelCount);
        // The head and tail blocks are averaged from the same unsmoothed values.
        const float head = Mean(levels, 0, n);
        const float tail = Mean(levels, kLevelCount - n, n);
        std::fill_n(levels.begin(), n, head);
        std::fill_n(levels.end() - n, n, tail);
        for (int start = 0; start < kLevelCount - n; start += n) {
            FillWithMean(levels, start, n);
        }
        return;
    }
    if (mode != kSmoothingMoving) {
        return;
    }
    // Wider windows would reach past either end of the levels.
    const int n = std::min(width, kLevelCount / 2 - 1);
    for (int i = 0; i < n; ++i) {
        at(i) = Mean(levels, 0, i + n + 1);
        at(kLevelCount - 1 - i) = Mean(levels, kLevelCount - 1 - i - n, i + n + 1);
    }
    const auto divisor = static_cast<float>(2 * n + 1);
    for (int i = n; i <= kLevelCount - 1 - n; ++i) {
        float sum = at(i);
        for (int j = 1; j <= n; ++j) {
            sum += at(i - j) + at(i + j);
        }
        at(i) = sum / divisor;
    }
}

void SpectrumAnalyser::FftConfigDeleter::operator()(kiss_fftr_state* config) const {
    kiss_fftr_free(config);
}

SpectrumAnalyser::SpectrumAnalyser() : fft_(kiss_fftr_alloc(kHistoryFloats, 0, nullptr, nullptr)) {
    if (!fft_) {
        std::abort();  // out of memory at start-up: nothing sensible to continue with
    }
    for (int i = 0; i < kHistorySamples; ++i) {
        const double a = 2.0 * std::numbers::pi * i / kHistorySamples;
        const auto index = static_cast<std::size_t>(i);
        windows_[0][index] = static_cast<float>((1.0 - std::cos(a)) / 2.0);
        windows_[1][index] = static_cast<float>(0.54 - 0.46 * std::cos(a));
        windows_[2][index] =
            static_cast<float>(0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2.0 * a));
        weighting_[index] = 0.04F + 0.5F * static_cast<float>(i) / 256.0F;
    }
}

SpectrumAnalyser::~SpectrumAnalyser() = default;

float SpectrumAnalyser::WindowValue(int window_type, int i) const {
    if (window_type < kWindowHann || window_type > kWindowBlackman) {
        return 1.0F;
    }
    return windows_[static_cast<std::size_t>(window_type - 1)][static_cast<std::size_t>(i)];
}

void SpectrumAnalyser::Decay(int percent) {
    const float keep = static_cast<float>(percent) / 100.0F;
    for (float& level : levels_) {
        level *= keep;
    }
}

void SpectrumAnalyser::AddPacket(const AudioPacket& packet, int gain) {
    if (packet.data == nullptr) {
        return;
    }
    const std::size_t groups = (packet.frames + 3) / 4;
    const float scale = 0.25F * 2.0F * static_cast<float>(gain);
    for (std::size_t k = 0; k < groups; ++k) {
        const std::size_t first = 4 * k;
        if (first >= packet.values) {
            break;  // the packet holds fewer values than its frames suggest
        }
        const std::size_t last = std::min(first + 4, packet.values);
        float sum = 0.0F;
        for (std::size_t i = first; i < last; ++i) {
            sum += packet.data[i];
        }
        float v = sum * scale;
        if (!std::isfinite(v)) {
            v = 0.0F;  // one bad value would otherwise spoil 256 cycles of spectrum
        }
        ring_[static_cast<std::size_t>(oldest_)] = v;
        oldest_ = (oldest_ + 1) % kHistorySamples;
    }
}

void SpectrumAnalyser::CopyHistory(HistoryBuffer& out) const {
    const auto oldest = static_cast<std::size_t>(oldest_);
    for (std::size_t i = 0; i < kHistorySamples; ++i) {
        const float v = ring_[(oldest + i) % kHistorySamples];
        out[2 * i] = v;
        out[2 * i + 1] = v;
    }
}

void SpectrumAnalyser::UpdateLevels(int window_type) {
    CopyHistory(input_);
    if (window_type >= kWindowHann && window_type <= kWindowBlackman) {
        const auto& window = windows_[static_cast<std::size_t>(window_type - 1)];
        for (std::size_t i = 0; i < window.size(); ++i) {
            input_[i] *= window[i];
        }
    }
    kiss_fftr(fft_.get(), input_.data(), bins_.data());

    // Packed layout: X[0] and X[N/2] (both real) at 0 and 1, then bin k at 2k, 2k + 1.
    // The analysis takes the transform with the positive exponent, so the imaginary parts
    // are those of the library's forward transform negated.
    work_[0] = bins_[0].r;
    work_[1] = bins_[kHistoryFloats / 2].r;
    for (std::size_t k = 1; k < kHistoryFloats / 2; ++k) {
        work_[2 * k] = bins_[k].r;
        work_[2 * k + 1] = -bins_[k].i;
    }
    // Bin 0 is the real part of X[1] beside X[N/2].
    work_[0] = work_[2];
    for (std::size_t i = 0; i < weighting_.size(); ++i) {
        work_[i] *= weighting_[i];
    }

    for (std::size_t b = 0; b < kUsedBins; ++b) {
        const float re = work_[2 * b];
        const float im = work_[2 * b + 1];
        const float m = std::sqrt(re * re + im * im);
        float l = std::log10(1.1F * m) * 0.5F + 0.9F * m;
        l = std::min(l, 1.0F);
        float& level = levels_[4 * b];
        // Written so a NaN `l` keeps the decayed level.
        if (l > level) {
            level = l;
        }
        if (level < 0.0F) {
            level = 0.0F;
        }
        levels_[4 * b + 1] = level;
        levels_[4 * b + 2] = level;
        levels_[4 * b + 3] = level;
    }
}

void SpectrumAnalyser::Publish(float response, LevelArray& published) const {
    for (std::size_t k = 0; k < published.size(); ++k) {
        published[k] += (levels_[k] - published[k]) * response;
    }
}

}  // namespace keyloom
