#include "music/spectrum_analyser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

namespace keyloom {
namespace {

class Analyser : public ::testing::Test {
protected:
    std::unique_ptr<SpectrumAnalyser> analyser = std::make_unique<SpectrumAnalyser>();

    HistoryBuffer History() const {
        HistoryBuffer history{};
        analyser->CopyHistory(history);
        return history;
    }
    // Feeds one sample of value `v` (gain 1: the packet's four values sum to 2 v).
    void Push(float v) {
        const std::vector<float> values(4, v / 2.0F);
        analyser->AddPacket(AudioPacket{values.data(), 2, values.size()}, 1);
    }
};

TEST_F(Analyser, TenFramePacketGivesThreeSamplesFromTwelveValues) {
    std::vector<float> values(20);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<float>(i + 1);
    }
    analyser->AddPacket(AudioPacket{values.data(), 10, values.size()}, 3);
    const HistoryBuffer history = History();
    // (sum of four) × 0.25 × 2 × gain, each sample stored twice, newest last.
    const float expected[] = {(1 + 2 + 3 + 4) * 1.5F, (5 + 6 + 7 + 8) * 1.5F,
                              (9 + 10 + 11 + 12) * 1.5F};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(history[static_cast<std::size_t>(506 + 2 * i)], expected[i]);
        EXPECT_FLOAT_EQ(history[static_cast<std::size_t>(507 + 2 * i)], expected[i]);
    }
    EXPECT_EQ(history[505], 0.0F);
}

TEST_F(Analyser, ShortPacketIsNeverReadBeyondItsData) {
    // Ten frames but only ten values (a mono-sized buffer): the last group has two values.
    const auto values = std::make_unique<float[]>(10);
    for (int i = 0; i < 10; ++i) {
        values[static_cast<std::size_t>(i)] = 1.0F;
    }
    analyser->AddPacket(AudioPacket{values.get(), 10, 10}, 1);
    const HistoryBuffer history = History();
    EXPECT_FLOAT_EQ(history[511], 1.0F);  // (1 + 1) × 0.5
    EXPECT_FLOAT_EQ(history[509], 2.0F);
    EXPECT_FLOAT_EQ(history[507], 2.0F);
    EXPECT_EQ(history[505], 0.0F);
}

TEST_F(Analyser, HistoryKeepsTheLast256SamplesAndDropsNonFiniteValues) {
    for (int i = 0; i < 300; ++i) {
        Push(static_cast<float>(i));
    }
    Push(std::numeric_limits<float>::infinity());
    const HistoryBuffer history = History();
    EXPECT_FLOAT_EQ(history[0], 45.0F);  // 301 samples: the oldest kept is sample 45
    EXPECT_FLOAT_EQ(history[509], 299.0F);
    EXPECT_EQ(history[511], 0.0F);
}

TEST_F(Analyser, WindowTables) {
    EXPECT_NEAR(analyser->WindowValue(kWindowHann, 0), 0.0F, 1e-7);
    EXPECT_NEAR(analyser->WindowValue(kWindowHann, 128), 1.0F, 1e-7);
    EXPECT_NEAR(analyser->WindowValue(kWindowHamming, 0), 0.08F, 1e-7);
    EXPECT_NEAR(analyser->WindowValue(kWindowHamming, 64), 0.54F, 1e-6);
    EXPECT_NEAR(analyser->WindowValue(kWindowBlackman, 128), 1.0F, 1e-6);
    EXPECT_NEAR(analyser->WindowValue(kWindowBlackman, 64), 0.34F, 1e-6);
    EXPECT_EQ(analyser->WindowValue(kWindowNone, 0), 1.0F);
}

// The packed spectrum against a direct transform with the positive exponent.
TEST_F(Analyser, SpectrumPackingMatchesDirectTransform) {
    for (int window : {kWindowNone, kWindowHann}) {
        analyser = std::make_unique<SpectrumAnalyser>();
        for (int n = 0; n < kHistorySamples; ++n) {
            Push(0.01F * std::sin(0.3F * static_cast<float>(n)) +
                 0.002F * static_cast<float>(n % 7));
        }
        HistoryBuffer x = History();
        for (int i = 0; i < 256; ++i) {
            x[static_cast<std::size_t>(i)] *= analyser->WindowValue(window, i);
        }
        auto transform = [&x](int k) {
            std::complex<double> sum = 0.0;
            for (int n = 0; n < kHistoryFloats; ++n) {
                sum += static_cast<double>(x[static_cast<std::size_t>(n)]) *
                       std::polar(1.0, 2.0 * std::numbers::pi * k * n / kHistoryFloats);
            }
            return sum;
        };
        analyser->UpdateLevels(window);
        const auto& packed = analyser->Spectrum();
        auto weight = [](int i) { return 0.04 + 0.5 * i / 256.0; };
        EXPECT_NEAR(packed[0], transform(1).real() * weight(0), 1e-4);
        EXPECT_NEAR(packed[1], transform(256).real() * weight(1), 1e-4);
        for (int k = 1; k < 64; ++k) {
            const std::complex<double> expected = transform(k);
            EXPECT_NEAR(packed[static_cast<std::size_t>(2 * k)], expected.real() * weight(2 * k),
                        1e-4)
                << k;
            EXPECT_NEAR(packed[static_cast<std::size_t>(2 * k + 1)],
                        expected.imag() * weight(2 * k + 1), 1e-4)
                << k;
        }
    }
}

TEST_F(Analyser, LevelsFollowTheBinMagnitudes) {
    for (int n = 0; n < kHistorySamples; ++n) {
        Push(0.1F *
             std::cos(2.0F * std::numbers::pi_v<float> * 10.0F * static_cast<float>(n) / 256.0F));
    }
    analyser->MutableLevels().fill(0.5F);
    analyser->UpdateLevels(kWindowNone);
    const auto& packed = analyser->Spectrum();
    for (std::size_t b = 0; b < kUsedBins; ++b) {
        const float re = packed[2 * b];
        const float im = packed[2 * b + 1];
        const float m = std::sqrt(re * re + im * im);
        const float l = std::min(std::log10(1.1F * m) * 0.5F + 0.9F * m, 1.0F);
        const float expected = std::max(0.5F, l);
        for (std::size_t j = 0; j < 4; ++j) {
            EXPECT_FLOAT_EQ(analyser->Levels()[4 * b + j], expected) << b;
        }
    }
    // 10 cycles over the 256 samples are 10 cycles over the doubled history: bin 10.
    EXPECT_EQ(analyser->Levels()[40], 1.0F);
    EXPECT_EQ(analyser->Levels()[120], 0.5F);
}

TEST_F(Analyser, SilenceLeavesDecayedLevelsAndNeverNegative) {
    analyser->MutableLevels().fill(0.5F);
    analyser->MutableLevels()[7] = -0.25F;
    analyser->Decay(80);
    analyser->UpdateLevels(kWindowHann);
    EXPECT_FLOAT_EQ(analyser->Levels()[0], 0.4F);
    EXPECT_EQ(analyser->Levels()[4], 0.4F);
    EXPECT_EQ(analyser->Levels()[7], 0.4F);  // level 4b + 3 takes level 4b's value
    analyser->MutableLevels()[4] = -0.25F;
    analyser->UpdateLevels(kWindowHann);
    EXPECT_EQ(analyser->Levels()[4], 0.0F);
}

TEST(Smoothing, MovingAverageSpreadsOneLevelToTheRight) {
    LevelArray levels{};
    levels[128] = 1.0F;
    SmoothLevels(levels, kSmoothingMoving, 8);
    EXPECT_EQ(levels[119], 0.0F);
    for (int i = 120; i <= 136; ++i) {
        EXPECT_GT(levels[static_cast<std::size_t>(i)], 0.0F) << i;
    }
    EXPECT_GT(levels[137], 0.0F);  // in place: smoothed values carry the level further
    EXPECT_FLOAT_EQ(levels[120], 1.0F / 17.0F);
}

TEST(Smoothing, MovingAverageEdges) {
    LevelArray levels{};
    levels[0] = 3.0F;
    levels[255] = 5.0F;
    SmoothLevels(levels, kSmoothingMoving, 2);
    EXPECT_FLOAT_EQ(levels[0], 1.0F);            // mean of levels 0..2
    EXPECT_FLOAT_EQ(levels[1], 1.0F / 4.0F);     // mean of 0..3 with level 0 already smoothed
    EXPECT_FLOAT_EQ(levels[255], 5.0F / 3.0F);   // mean of 253..255
    EXPECT_FLOAT_EQ(levels[254], 5.0F / 12.0F);  // mean of 252..255
}

TEST(Smoothing, BlockAverage) {
    LevelArray levels{};
    for (int i = 0; i < kLevelCount; ++i) {
        levels[static_cast<std::size_t>(i)] = static_cast<float>(i);
    }
    SmoothLevels(levels, kSmoothingBlock, 10);
    EXPECT_FLOAT_EQ(levels[0], 4.5F);
    EXPECT_FLOAT_EQ(levels[19], 14.5F);
    // The block from 240 is averaged after the tail block 246..255 took its mean.
    EXPECT_NEAR(levels[245], (240 + 241 + 242 + 243 + 244 + 245 + 4 * 250.5F) / 10.0F, 1e-4);
    EXPECT_FLOAT_EQ(levels[250], 250.5F);
    EXPECT_FLOAT_EQ(levels[255], 250.5F);
}

TEST(Smoothing, WidthZeroOrUnknownModeChangesNothing) {
    LevelArray levels{};
    levels[3] = 0.7F;
    const LevelArray before = levels;
    SmoothLevels(levels, kSmoothingMoving, 0);
    SmoothLevels(levels, kSmoothingBlock, -4);
    SmoothLevels(levels, 9, 8);
    EXPECT_EQ(levels, before);
}

}  // namespace
}  // namespace keyloom
