#include "music/mode_images.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace keyloom {
namespace {

constexpr std::array<uint32_t, 9> kPlainColours = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00A5FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF0040,
};

constexpr std::array<uint32_t, 3> kBands9 = {0x00FF00, 0x00FFFF, 0x0000FF};
constexpr std::array<uint32_t, 3> kBands10 = {0x00FF00, 0xFFFFFF, 0x0000FF};
constexpr std::array<uint32_t, 3> kBands11 = {0xFF0000, 0xFFFF00, 0xFFFFFF};
constexpr std::array<uint32_t, 3> kBands12 = {0x0000FF, 0xFFFFFF, 0xFF0000};
constexpr std::array<uint32_t, 6> kBands13 = {0x0000FF, 0x00FFFF, 0x00FF00,
                                              0xFFFF00, 0xFF0000, 0xFF00FF};
constexpr std::array<uint32_t, 6> kBands14 = {0xFF00FF, 0xFF0000, 0xFFFF00,
                                              0x00FF00, 0x00FFFF, 0x0000FF};
constexpr std::array<uint32_t, 6> kBands21 = {0xFFFFFF, 0xFF00FF, 0x00FFFF,
                                              0xFF0000, 0x008000, 0x0000FF};

std::span<const uint32_t> BandColours(int mode) {
    switch (mode) {
        case 9:
            return kBands9;
        case 10:
            return kBands10;
        case 11:
            return kBands11;
        case 12:
            return kBands12;
        case 13:
            return kBands13;
        case 14:
            return kBands14;
        case 21:
            return kBands21;
        default:
            return {};
    }
}

void FillRow(FrameImage& image, int y, uint32_t colour) {
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(PixelIndex(0, y)), kImageWidth, colour);
}

// Copies row 0 into every other row (images whose rows are all equal).
void RepeatFirstRow(FrameImage& image) {
    for (int y = 1; y < kImageHeight; ++y) {
        std::memcpy(&image[PixelIndex(0, y)], image.data(), kImageWidth * sizeof(uint32_t));
    }
}

void BuildWheel(std::array<int16_t, kImagePixels>& angles, int centre_row) {
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            const double degrees =
                std::atan2(static_cast<double>(y - centre_row), static_cast<double>(x - 128)) *
                    57.295827908797776 +
                180.0;
            angles[PixelIndex(x, y)] = static_cast<int16_t>(static_cast<int>(degrees) % 360);
        }
    }
}

}  // namespace

int BrightnessToValue(int brightness) {
    const float value = static_cast<float>(std::clamp(brightness, 0, 100)) * 2.55F;
    return static_cast<int>(value);
}

uint32_t ScaleColour(uint32_t colour, int value) {
    const auto v = static_cast<uint32_t>(std::clamp(value, 0, 255));
    const uint32_t red = (colour & 0xFF) * v / 256;
    const uint32_t green = ((colour >> 8) & 0xFF) * v / 256;
    const uint32_t blue = ((colour >> 16) & 0xFF) * v / 256;
    return PackColour(red, green, blue);
}

uint32_t HsvToColour(int hue, int saturation, int value) {
    if (saturation == 0) {
        return PackColour(static_cast<uint32_t>(value), static_cast<uint32_t>(value),
                          static_cast<uint32_t>(value));
    }
    const int e = hue % 360;
    if (e < 0) {
        // Hues -1..-59 would land in sector 0 with negative channel values.
        return 0;
    }
    const int sector = e / 60;
    const int p = ((256 - saturation) * value) >> 8;
    const int q = value * ((sector * 60 - e) * saturation + 15360) / 15360;
    const int t = value * (saturation * (e - sector * 60 - 60) + 15360) / 15360;
    int red = 0;
    int green = 0;
    int blue = 0;
    switch (sector) {
        case 0:
            red = value, green = t, blue = p;
            break;
        case 1:
            red = q, green = value, blue = p;
            break;
        case 2:
            red = p, green = value, blue = t;
            break;
        case 3:
            red = p, green = q, blue = value;
            break;
        case 4:
            red = t, green = p, blue = value;
            break;
        case 5:
            red = value, green = p, blue = q;
            break;
        default:
            return 0;  // a negative hue
    }
    return PackColour(static_cast<uint32_t>(red), static_cast<uint32_t>(green),
                      static_cast<uint32_t>(blue));
}

int BandIndexForRow(int colour_count, int y) {
    const auto k = static_cast<float>(colour_count);
    const int index = static_cast<int>(k - (k / 63.0F) * static_cast<float>(y));
    // Row 0 has its own rule; keep any other out-of-range row inside the list.
    return std::clamp(index, 0, colour_count - 1);
}

int BandIndexForColumn(int colour_count, int x) {
    const auto k = static_cast<float>(colour_count);
    const float step = k * (1.0F / 128.0F);
    if (x <= 127) {
        return std::min(static_cast<int>(k - step * static_cast<float>(x)), colour_count - 1);
    }
    return std::min(static_cast<int>(static_cast<float>(x - 128) * step), colour_count - 1);
}

uint32_t SineRainbowColour(int x, float hue, int value) {
    const int degrees = static_cast<int>(static_cast<float>(x) * 1.4117647F - hue) % 360;
    const float a = static_cast<float>(degrees) / 360.0F * 2.0F * 3.14F;
    auto channel = [value](float s) {
        return static_cast<uint32_t>(value * static_cast<int>((s + 1.0F) * 127.0F) / 256);
    };
    return PackColour(channel(std::sin(a)), channel(std::sin(a - 2.0933335F)),
                      channel(std::sin(a + 2.0933335F)));
}

ModeImageRenderer::ModeImageRenderer() {
    BuildWheel(wheel_angles_centre_, 32);
    BuildWheel(wheel_angles_bottom_, 64);
}

void ModeImageRenderer::BuildHueTable(int value) {
    if (value == hue_table_value_) {
        return;
    }
    for (int e = 0; e < 360; ++e) {
        hue_table_[static_cast<std::size_t>(e)] = HsvToColour(e, 255, value);
    }
    hue_table_value_ = value;
}

void ModeImageRenderer::FillBands(int mode, int value, FrameImage& image) const {
    const std::span<const uint32_t> list = BandColours(mode);
    const int count = static_cast<int>(list.size());
    std::array<uint32_t, 6> scaled{};
    for (int i = 0; i < count; ++i) {
        scaled[static_cast<std::size_t>(i)] = ScaleColour(list[static_cast<std::size_t>(i)], value);
    }
    for (int x = 0; x < kImageWidth; ++x) {
        image[PixelIndex(x, 0)] = scaled[static_cast<std::size_t>(BandIndexForColumn(count, x))];
    }
    for (int y = 1; y < kImageHeight; ++y) {
        FillRow(image, y, scaled[static_cast<std::size_t>(BandIndexForRow(count, y))]);
    }
}

void ModeImageRenderer::FillHueImage(const int16_t* angles, float hue, int value,
                                     FrameImage& image) {
    BuildHueTable(value);
    for (std::size_t i = 0; i < kImagePixels; ++i) {
        const int h = static_cast<int>(static_cast<float>(angles[i]) + hue);
        image[i] = h < 0 ? 0 : hue_table_[static_cast<std::size_t>(h % 360)];
    }
}

void ModeImageRenderer::Render(int mode, int brightness, float hue, FrameImage& image) {
    const int value = BrightnessToValue(brightness);
    if (mode >= 0 && mode <= 8) {
        image.fill(ScaleColour(kPlainColours[static_cast<std::size_t>(mode)], value));
        return;
    }
    switch (mode) {
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 21:
            FillBands(mode, value, image);
            return;
        case 15:
            for (int x = 0; x < kImageWidth; ++x) {
                image[static_cast<std::size_t>(x)] = SineRainbowColour(x, hue, value);
            }
            RepeatFirstRow(image);
            return;
        case 16:
            BuildHueTable(value);
            for (int x = 0; x < kImageWidth; ++x) {
                const int h = static_cast<int>(static_cast<float>(256 - x) + hue) % 360;
                image[static_cast<std::size_t>(x)] =
                    h < 0 ? 0 : hue_table_[static_cast<std::size_t>(h)];
            }
            RepeatFirstRow(image);
            return;
        case 17:
            FillHueImage(wheel_angles_centre_.data(), hue, value, image);
            return;
        case 18:
            FillHueImage(wheel_angles_bottom_.data(), hue, value, image);
            return;
        case 19:
            image.fill(HsvToColour(static_cast<int>(hue), 255, value));
            return;
        case 20:
            image.fill(SineRainbowColour(1, hue, value));
            return;
        default:
            return;
    }
}

}  // namespace keyloom
