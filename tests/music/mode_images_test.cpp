#include "music/mode_images.h"

#include <gtest/gtest.h>

#include <memory>

namespace keyloom {
namespace {

struct BandRange {
    int first;
    int last;
    int index;
};

void ExpectRowBands(int colour_count, std::initializer_list<BandRange> ranges) {
    for (const BandRange& range : ranges) {
        for (int y = range.first; y <= range.last; ++y) {
            EXPECT_EQ(BandIndexForRow(colour_count, y), range.index)
                << "K " << colour_count << " row " << y;
        }
    }
}

void ExpectColumnBands(int colour_count, std::initializer_list<BandRange> ranges) {
    for (const BandRange& range : ranges) {
        for (int x = range.first; x <= range.last; ++x) {
            EXPECT_EQ(BandIndexForColumn(colour_count, x), range.index)
                << "K " << colour_count << " column " << x;
        }
    }
}

TEST(BandIndex, RowsPutTheFirstColourAtTheBottom) {
    ExpectRowBands(3, {{1, 21, 2}, {22, 42, 1}, {43, 63, 0}});
    ExpectRowBands(6,
                   {{1, 10, 5}, {11, 21, 4}, {22, 31, 3}, {32, 42, 2}, {43, 52, 1}, {53, 63, 0}});
}

TEST(BandIndex, RowZeroPutsTheFirstColourInTheMiddle) {
    ExpectColumnBands(3, {{0, 42, 2}, {43, 85, 1}, {86, 170, 0}, {171, 213, 1}, {214, 255, 2}});
    ExpectColumnBands(6, {{0, 21, 5},
                          {22, 42, 4},
                          {43, 64, 3},
                          {65, 85, 2},
                          {86, 106, 1},
                          {107, 149, 0},
                          {150, 170, 1},
                          {171, 191, 2},
                          {192, 213, 3},
                          {214, 234, 4},
                          {235, 255, 5}});
}

TEST(Brightness, ValueAndScaling) {
    EXPECT_EQ(BrightnessToValue(100), 255);
    EXPECT_EQ(BrightnessToValue(50), 127);
    EXPECT_EQ(BrightnessToValue(10), 25);
    EXPECT_EQ(BrightnessToValue(0), 0);
    EXPECT_EQ(BrightnessToValue(250), 255);  // out-of-range settings stay within a byte
    EXPECT_EQ(ScaleColour(0xFFFFFF, 25), 0x181818u);
    EXPECT_EQ(ScaleColour(0xFF0040, 127), 0x7E001Fu);
}

TEST(Hsv, IntegerConversion) {
    struct Case {
        int hue, saturation, value;
        uint32_t colour;
    };
    const Case cases[] = {
        {0, 255, 255, 0x0000FF},   {30, 255, 255, 0x007FFF},  {60, 255, 255, 0x00FFFF},
        {120, 255, 255, 0x00FF00}, {180, 255, 255, 0xFFFF00}, {240, 255, 255, 0xFF0000},
        {300, 255, 255, 0xFF00FF}, {480, 255, 255, 0x00FF00}, {-10, 255, 255, 0x000000},
        {77, 0, 90, 0x5A5A5A},     {120, 255, 127, 0x007F00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HsvToColour(c.hue, c.saturation, c.value), c.colour) << "hue " << c.hue;
    }
}

class ModeImages : public ::testing::Test {
protected:
    ModeImageRenderer renderer;
    std::unique_ptr<FrameImage> image = std::make_unique<FrameImage>();

    uint32_t At(int x, int y) const { return (*image)[PixelIndex(x, y)]; }
    bool Uniform(uint32_t colour) const {
        for (uint32_t pixel : *image) {
            if (pixel != colour) {
                return false;
            }
        }
        return true;
    }
    bool RowsEqual() const {
        for (int y = 1; y < kImageHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                if (At(x, y) != At(x, 0)) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(ModeImages, PlainColoursScaledByBrightness) {
    struct Case {
        int mode, brightness;
        uint32_t colour;
    };
    const Case cases[] = {{0, 100, 0x000000},
                          {1, 10, 0x181818},
                          {2, 100, 0x0000FE},
                          {3, 50, 0x00517E},
                          {8, 100, 0xFE003F}};
    for (const Case& c : cases) {
        renderer.Render(c.mode, c.brightness, 0.0F, *image);
        EXPECT_TRUE(Uniform(c.colour)) << "mode " << c.mode;
    }
}

TEST_F(ModeImages, SpectrumCycleAtHue120IsGreen) {
    renderer.Render(19, 100, 120.0F, *image);
    EXPECT_TRUE(Uniform(0x00FF00));
    renderer.Render(19, 100, 240.7F, *image);
    EXPECT_TRUE(Uniform(0xFF0000));
}

TEST_F(ModeImages, BandsUseTheModeListScaled) {
    renderer.Render(13, 50, 0.0F, *image);
    EXPECT_EQ(At(0, 63), ScaleColour(0x0000FF, 127));   // first colour at the bottom
    EXPECT_EQ(At(255, 1), ScaleColour(0xFF00FF, 127));  // last colour at the top
    EXPECT_EQ(At(128, 0), ScaleColour(0x0000FF, 127));  // first colour in the middle of row 0
    EXPECT_EQ(At(0, 0), ScaleColour(0xFF00FF, 127));
    renderer.Render(21, 100, 0.0F, *image);
    EXPECT_EQ(At(10, 40), ScaleColour(0x00FFFF, 255));  // rows 32..42: third colour
}

TEST_F(ModeImages, RainbowsAndHueColumns) {
    renderer.Render(15, 100, 0.0F, *image);
    EXPECT_TRUE(RowsEqual());
    EXPECT_EQ(At(0, 0) & 0xFF, 126u);  // sin 0 + 1 = 1: 255 × 127 / 256
    EXPECT_EQ(At(37, 5), SineRainbowColour(37, 0.0F, 255));

    renderer.Render(20, 100, 30.0F, *image);
    EXPECT_TRUE(Uniform(SineRainbowColour(1, 30.0F, 255)));

    renderer.Render(16, 100, 0.0F, *image);
    EXPECT_TRUE(RowsEqual());
    EXPECT_EQ(At(16, 0), 0xFF0000u);   // hue 256 - 16 = 240
    EXPECT_EQ(At(136, 9), 0x00FF00u);  // hue 120
}

TEST_F(ModeImages, ColourWheels) {
    renderer.Render(17, 100, 0.0F, *image);
    EXPECT_EQ(At(0, 32), HsvToColour(0, 255, 255));      // left of the centre: 180 + 180 wraps to 0
    EXPECT_EQ(At(255, 32), HsvToColour(180, 255, 255));  // right of the centre
    renderer.Render(17, 100, 100.5F, *image);
    EXPECT_EQ(At(255, 32), HsvToColour(280, 255, 255));
    renderer.Render(18, 100, 1.5F, *image);
    EXPECT_EQ(At(128, 0), HsvToColour(90, 255, 255));  // straight above the centre: 89 + 1.5
}

TEST_F(ModeImages, UnknownModesLeaveTheImage) {
    image->fill(0x123456);
    renderer.Render(22, 100, 0.0F, *image);
    renderer.Render(-1, 100, 0.0F, *image);
    EXPECT_TRUE(Uniform(0x123456));
}

}  // namespace
}  // namespace keyloom
