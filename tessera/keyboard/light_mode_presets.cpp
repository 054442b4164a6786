#include "tessera/keyboard/light_mode_presets.h"

#include <vector>

namespace Tessera {

namespace {

const std::vector<PresetColorRow> kSingleColorRows = {
    PresetColorRow{RGB(255, 0, 0), {41, 58, 59, 60, 61, 62, 63,  64,  65,  66,
                                    67, 68, 69, 70, 71, 72, 209, 210, 211, 212}},
    PresetColorRow{RGB(0, 128, 0), {53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
                                    45, 46, 42, 73, 74, 75, 83, 84, 85, 86}},
    PresetColorRow{RGB(0, 0, 255),
                   {43, 20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48, 49, 76, 77, 78, 95, 96, 97}},
    PresetColorRow{RGB(255, 255, 0),
                   {57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40, 92, 93, 94, 87}},
    PresetColorRow{RGB(255, 0, 255),
                   {225, 29, 27, 6, 25, 5, 17, 16, 54, 55, 56, 229, 82, 89, 90, 91}},
    PresetColorRow{RGB(255, 255, 255),
                   {224, 227, 226, 44, 230, 255, 254, 101, 228, 80, 81, 79, 98, 99, 88}},
};

const std::vector<PresetColorRow> kRainbowRows = {
    PresetColorRow{RGB(69, 0, 255), {41, 211, 212, 86, 87, 88, 254}},
    PresetColorRow{RGB(255, 0, 78), {58, 209, 30, 84, 43, 96, 57, 93, 90, 98}},
    PresetColorRow{RGB(255, 0, 0), {59, 72, 31, 83, 20, 95, 4, 92, 29, 89, 226, 79}},
    PresetColorRow{RGB(255, 69, 0), {60, 71, 32, 75, 26, 78, 22, 27, 81}},
    PresetColorRow{RGB(255, 255, 0), {61, 70, 33, 74, 8, 77, 7, 6, 82, 80}},
    PresetColorRow{RGB(0, 255, 0), {62, 67, 35, 42, 23, 49, 10, 40, 5, 229, 255}},
    PresetColorRow{RGB(0, 255, 69), {63, 66, 36, 46, 28, 48, 11, 52, 17, 135, 56, 230}},
    PresetColorRow{RGB(0, 255, 255), {64, 65, 37, 45, 24, 47, 13, 51, 16, 54, 55}},
    PresetColorRow{RGB(78, 255, 0), {68, 69, 34, 73, 21, 76, 9, 25, 44, 101, 228}},
    PresetColorRow{RGB(255, 0, 255), {210, 53, 85, 97, 94, 225, 100, 91, 224, 227, 99}},
    PresetColorRow{RGB(0, 78, 255), {38, 39, 12, 19, 14, 15}},
    PresetColorRow{RGB(0, 0, 255), {18}},
};

}  // namespace

std::span<const PresetColorRow> SingleColorRows() {
    return kSingleColorRows;
}
std::span<const PresetColorRow> RainbowRows() {
    return kRainbowRows;
}

}  // namespace Tessera
