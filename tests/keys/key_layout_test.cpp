#include "keys/key_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "keys/key_codes.h"

namespace keyloom {
namespace {

TEST(KeyLayout, TableHoldsEveryKeyOnceInTheMatrix) {
    std::set<int> indices;
    std::set<unsigned> usages;
    for (const KeyLayoutRow& row : KeyLayoutTable) {
        EXPECT_GE(row.matrix_index, 0);
        EXPECT_LT(row.matrix_index, kMatrixPositions);
        EXPECT_TRUE(indices.insert(row.matrix_index).second) << row.matrix_index;
        EXPECT_TRUE(usages.insert(row.usage).second) << row.usage;
        EXPECT_FALSE(row.label.empty());
        EXPECT_GT(row.width, 0);
        EXPECT_GT(row.height, 0);
    }
    EXPECT_EQ(indices.size(), 109u);

    const std::set<int> empty = {6,  29, 41,  47,  53,  70,  71,  75,
                                 76, 88, 100, 102, 108, 113, 114, 120};
    for (int index = 0; index < kMatrixPositions; ++index) {
        EXPECT_EQ(indices.count(index) == 0, empty.count(index) == 1) << index;
    }
}

TEST(KeyLayout, UsageAndMatrixIndexAreExactInverses) {
    for (unsigned usage = 0; usage < 256; ++usage) {
        const int index = UsageToMatrixIndex(usage);
        if (index >= 0) {
            EXPECT_EQ(MatrixIndexToUsage(index), usage);
        }
    }
    for (int index = -3; index < kMatrixSlots + 3; ++index) {
        const unsigned usage = MatrixIndexToUsage(index);
        if (usage != 0) {
            EXPECT_EQ(UsageToMatrixIndex(usage), index);
        }
    }
    EXPECT_EQ(UsageToMatrixIndex(0x3A), 12);  // F1
    EXPECT_EQ(MatrixIndexToUsage(1), 0x35u);  // grave / tilde
    EXPECT_EQ(MatrixIndexToUsage(6), 0u);
    EXPECT_EQ(MatrixIndexToUsage(125), 0u);
    EXPECT_EQ(MatrixIndexToUsage(-1), 0u);
    EXPECT_EQ(UsageToMatrixIndex(0xE7), -1);  // right Windows: converted, but no key
    EXPECT_EQ(UsageToMatrixIndex(0), -1);
    EXPECT_EQ(UsageToMatrixIndex(1000), -1);
    EXPECT_EQ(UsageToMatrixIndex(kUsageFn), 77);
}

TEST(KeyLayout, RowsCarryTheirPictureGeometry) {
    struct Case {
        std::size_t row;  // 0-based
        std::wstring_view label;
        unsigned usage;
        int index, left, top, width, height;
    };
    const Case cases[] = {
        {0, L"Esc", 0x29, 0, 0, 0, 43, 43},
        {19, L"Calc", kUsageCalculator, 123, 965, 0, 43, 43},
        {20, L"`~", 0x35, 1, 0, 57, 43, 43},
        {54, L"\\|", 0x31, 80, 607, 102, 67, 43},
        {61, L"+", 0x57, 122, 965, 102, 43, 89},
        {79, L"<>", 0x64, 23, 85, 192, 5, 43},
        {91, L"↑", 0x52, 94, 731, 192, 43, 43},
        {95, L"Enter", 0x58, 124, 967, 192, 43, 89},
        {107, L"0", 0x62, 107, 831, 237, 92, 43},
        {108, L".", 0x63, 119, 923, 237, 43, 43},
    };
    for (const auto& c : cases) {
        const KeyLayoutRow& row = KeyLayoutTable[c.row];
        EXPECT_EQ(row.label, c.label) << c.row;
        EXPECT_EQ(row.usage, c.usage) << c.row;
        EXPECT_EQ(row.matrix_index, c.index) << c.row;
        EXPECT_EQ(row.left, c.left) << c.row;
        EXPECT_EQ(row.top, c.top) << c.row;
        EXPECT_EQ(row.width, c.width) << c.row;
        EXPECT_EQ(row.height, c.height) << c.row;
    }
}

TEST(KeyCodes, VirtualKeyToUsage) {
    struct Case {
        unsigned vk;
        unsigned usage;
    };
    const Case cases[] = {
        {'A', 0x04},
        {'Z', 0x1D},
        {'1', 0x1E},
        {'9', 0x26},
        {'0', 0x27},
        {13, 0x28},
        {27, 0x29},
        {8, 0x2A},
        {9, 0x2B},
        {32, 0x2C},
        {189, 0x2D},
        {220, 0x31},
        {666, 0x32},
        {186, 0x33},
        {191, 0x38},
        {20, 0x39},
        {112, 0x3A},
        {123, 0x45},
        {124, 0x68},
        {135, 0x73},
        {44, 0x46},
        {19, 0x48},
        {45, 0x49},
        {34, 0x4E},
        {39, 0x4F},
        {38, 0x52},
        {144, 0x53},
        {111, 0x54},
        {108, 0x58},
        {97, 0x59},
        {105, 0x61},
        {96, 0x62},
        {110, 0x63},
        {226, 0x64},
        {93, 0x65},
        {162, 0xE0},
        {160, 0xE1},
        {164, 0xE2},
        {91, 0xE3},
        {163, 0xE4},
        {161, 0xE5},
        {165, 0xE6},
        {92, 0xE7},
        {254, 0xFF},
        {136, 0x88},
        {139, 0x8B},
        {301, 0xEC},
        {302, 0xEB},
        // No usage: generic modifiers, unlisted codes.
        {16, 0},
        {17, 0},
        {18, 0},
        {0, 0},
        {140, 0},
        {255, 0},
        {94, 0},
        {100000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKeyToUsage(c.vk), c.usage) << "VK " << c.vk;
    }
}

TEST(KeyCodes, EveryLayoutKeyButTheMediaKeysHasAVirtualKey) {
    std::set<unsigned> reachable;
    for (unsigned vk = 0; vk < 400; ++vk) {
        reachable.insert(VirtualKeyToUsage(vk));
    }
    for (const KeyLayoutRow& row : KeyLayoutTable) {
        const bool own_key = row.usage >= kUsageVolumeUp && row.usage <= kUsageCalculator;
        EXPECT_EQ(reachable.count(row.usage) == 1, !own_key) << row.usage;
    }
}

TEST(KeyCodes, ModifierUsageToBit) {
    for (unsigned usage = 0xE0; usage <= 0xE7; ++usage) {
        EXPECT_EQ(ModifierUsageToBit(usage), 1u << (usage - 0xE0));
    }
    EXPECT_EQ(ModifierUsageToBit(0), 0u);
    EXPECT_EQ(ModifierUsageToBit(0x04), 0x04u);
    EXPECT_EQ(ModifierUsageToBit(0xFF), 0xFFu);
}

}  // namespace
}  // namespace keyloom
