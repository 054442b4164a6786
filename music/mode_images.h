#pragma once

// The colour images of the visualiser modes: plain colours, bands, sine rainbows, hue by
// column, colour wheels and a single hue, each scaled by a brightness of 0..100.

#include <array>
#include <cstdint>

#include "music/frame_image.h"

namespace keyloom {

// Number of visualiser modes that draw something (0..21); any other mode leaves the
// image as it was.
inline constexpr int kModeImageCount = 22;

// c of a brightness p: the integer part of p × 2.55 in single precision.
int BrightnessToValue(int brightness);
// Each byte b of `colour` becomes b × value / 256.
uint32_t ScaleColour(uint32_t colour, int value);
// Integer HSV conversion (hue in degrees, saturation and value 0..255); a negative hue
// gives black.
uint32_t HsvToColour(int hue, int saturation, int value);
// Band colour index of rows 1..63 and of the columns of row 0 for K = 3 or 6 colours.
int BandIndexForRow(int colour_count, int y);
int BandIndexForColumn(int colour_count, int x);
// Colour of column x of the sine rainbow at hue angle `hue`, scaled by value c.
uint32_t SineRainbowColour(int x, float hue, int value);

class ModeImageRenderer {
public:
    ModeImageRenderer();

    // Draws `mode` at `brightness` (0..100) with the visualiser's hue angle into `image`.
    void Render(int mode, int brightness, float hue, FrameImage& image);

private:
    void FillBands(int mode, int value, FrameImage& image) const;
    void FillHueImage(const int16_t* angles, float hue, int value, FrameImage& image);
    void BuildHueTable(int value);

    // Hue angle of every pixel around the two wheel centres (row 32 and row 64); the
    // visualiser's hue angle is added per frame.
    std::array<int16_t, kImagePixels> wheel_angles_centre_{};
    std::array<int16_t, kImagePixels> wheel_angles_bottom_{};
    // Colours of hues 0..359 at the current value; rebuilt only when the value changes.
    std::array<uint32_t, 360> hue_table_{};
    int hue_table_value_ = -1;
};

}  // namespace keyloom
