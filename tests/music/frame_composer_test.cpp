#include "music/frame_composer.h"

#include <gtest/gtest.h>

#include <memory>

namespace keyloom {
namespace {

constexpr uint32_t kFore = 0x00FF00;
constexpr uint32_t kBack = 0x000011;

class Compose : public ::testing::Test {
protected:
    Compose() {
        foreground->fill(kFore);
        background->fill(kBack);
    }
    uint32_t At(int x, int y) const { return (*frame)[PixelIndex(x, y)]; }
    void Run() { ComposeFrame(levels, *foreground, *background, *frame); }

    LevelArray levels{};
    std::unique_ptr<FrameImage> foreground = std::make_unique<FrameImage>();
    std::unique_ptr<FrameImage> background = std::make_unique<FrameImage>();
    std::unique_ptr<FrameImage> frame = std::make_unique<FrameImage>();
};

TEST_F(Compose, BarsGrowFromTheBottomAndTheTestIsStrict) {
    struct Case {
        float level;
        int row;
        bool lit;
    };
    const Case cases[] = {
        {1.0F / 64.0F, 63, false},   // exactly the threshold of the bottom row
        {1.001F / 64.0F, 63, true},  // just above it
        {1.001F / 64.0F, 62, false}, {32.0F / 64.0F, 32, false},
        {32.0F / 64.0F, 33, true},   {1.0F, 1, true},
        {0.0F, 63, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        levels[i] = cases[i].level;
    }
    Run();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(At(static_cast<int>(i), cases[i].row), cases[i].lit ? kFore : kBack)
            << "level " << cases[i].level << " row " << cases[i].row;
    }
}

TEST_F(Compose, RowZeroIsTheCentredBassBar) {
    levels.fill(1.0F);                // full bars do not reach row 0 on their own
    levels[kBassLevelIndex] = 0.35F;  // B = 0.3
    Run();
    for (int x = 0; x < kImageWidth; ++x) {
        const bool lit = x >= 89 && x <= 166;
        EXPECT_EQ(At(x, 0), lit ? kFore : kBack) << "column " << x;
    }
    EXPECT_EQ(At(0, 1), kFore);
}

TEST_F(Compose, QuietBassLeavesRowZeroToTheBackground) {
    levels[kBassLevelIndex] = 0.05F;
    Run();
    for (int x = 0; x < kImageWidth; ++x) {
        ASSERT_EQ(At(x, 0), kBack) << x;
    }
}

}  // namespace
}  // namespace keyloom
