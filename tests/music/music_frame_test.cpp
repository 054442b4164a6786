#include "music/music_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "keys/key_layout.h"
#include "music/mode_images.h"

namespace keyloom {
namespace {

uint32_t ColourOf(const MusicKeyColours& colours, int usage) {
    for (const MusicKeyColour& key : colours.Keys()) {
        if (key.usage == usage) {
            return key.colour;
        }
    }
    ADD_FAILURE() << "usage " << usage << " not sampled";
    return 0;
}

class KeyGrid : public ::testing::Test {
protected:
    std::unique_ptr<FrameImage> image = std::make_unique<FrameImage>();
};

TEST_F(KeyGrid, SamplesEachKeyAtItsGridPoint) {
    for (std::size_t i = 0; i < image->size(); ++i) {
        (*image)[i] = static_cast<uint32_t>(i);  // every pixel names its position
    }
    const MusicKeyColours colours = SampleKeyColours(*image);
    EXPECT_TRUE(colours.lit);
    EXPECT_EQ(ColourOf(colours, 0x29), PixelIndex(11, 7));    // Esc: row 0, column 1
    EXPECT_EQ(ColourOf(colours, 0xD4), PixelIndex(242, 7));   // Calc: last column
    EXPECT_EQ(ColourOf(colours, 0xFF), PixelIndex(132, 57));  // Fn: row 5, column 12
    EXPECT_EQ(ColourOf(colours, 0x58), PixelIndex(242, 47));  // keypad Enter
    for (const MusicKeyColour& key : colours.Keys()) {
        EXPECT_NE(key.usage, 0);
    }
}

TEST_F(KeyGrid, EveryKeyOfTheLayoutIsOnTheGrid) {
    const MusicKeyColours colours = SampleKeyColours(*image);
    for (const KeyLayoutRow& row : KeyLayoutTable) {
        const bool found = std::any_of(
            colours.Keys().begin(), colours.Keys().end(),
            [&](const MusicKeyColour& key) { return key.usage == static_cast<int>(row.usage); });
        EXPECT_TRUE(found) << "usage " << row.usage;
    }
}

TEST_F(KeyGrid, LitOnlyWhenSomeSampledColourIsAboveOne) {
    struct Case {
        int x, y;
        uint32_t colour;
        bool lit;
    };
    const Case cases[] = {
        {11, 7, 1, false},  // a colour of exactly 1 does not count
        {11, 7, 2, true},
        {11, 7, 0x010000, true},    // any byte: the colour value as a whole is compared
        {128, 0, 0xFFFFFF, false},  // row 0 (the bass bar) is never sampled
        {12, 7, 0xFFFFFF, false},   // between grid columns
        {0, 7, 0xFFFFFF, false},    // grid point without a key
    };
    for (const Case& c : cases) {
        image->fill(0);
        (*image)[PixelIndex(c.x, c.y)] = c.colour;
        EXPECT_EQ(SampleKeyColours(*image).lit, c.lit) << c.x << "," << c.y << " " << c.colour;
    }
}

TEST(PublishedKeyColours, SilenceWithBackgroundNoneLightsNothing) {
    auto visualizer = std::make_unique<Visualizer>(nullptr);
    visualizer->SetBackgroundMode(0);
    visualizer->SetForegroundMode(1);
    visualizer->RunCycle();
    const MusicKeyColours silent = SamplePublishedKeyColours(*visualizer);
    EXPECT_FALSE(silent.lit);  // nothing would be sent
    EXPECT_GT(silent.count, 100u);

    visualizer->SetBackgroundMode(5);  // green background
    visualizer->RunCycle();
    const MusicKeyColours green = SamplePublishedKeyColours(*visualizer);
    EXPECT_TRUE(green.lit);
    EXPECT_EQ(ColourOf(green, 0x29), ScaleColour(0x00FF00, BrightnessToValue(100)));
}

TEST_F(KeyGrid, PayloadPlacesColoursAtMatrixIndices) {
    const MusicKeyColour keys[] = {
        {0x29, 0x00332211},  // Esc
        {0x3A, 0x00665544},  // F1
        {0x32, 0x00FFFFFF},  // no key of the layout
        {0x87, 0x00FFFFFF}, {0xFE, 0x00FFFFFF},
    };
    const ColourMap payload = BuildMusicPayload(keys);
    ASSERT_EQ(payload.size(), 384u);
    const auto esc = 3 * static_cast<std::size_t>(UsageToMatrixIndex(0x29));
    const auto f1 = 3 * static_cast<std::size_t>(UsageToMatrixIndex(0x3A));
    EXPECT_EQ(f1, 36u);
    EXPECT_EQ(payload[esc], 0x11);
    EXPECT_EQ(payload[esc + 1], 0x22);
    EXPECT_EQ(payload[esc + 2], 0x33);
    EXPECT_EQ(payload[f1], 0x44);
    EXPECT_EQ(payload[f1 + 2], 0x66);
    const int lit = static_cast<int>(
        std::count_if(payload.begin(), payload.end(), [](uint8_t b) { return b != 0; }));
    EXPECT_EQ(lit, 6);  // nothing else written
}

}  // namespace
}  // namespace keyloom
