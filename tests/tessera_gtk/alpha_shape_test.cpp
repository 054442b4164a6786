#include "tessera/platform/gtk/alpha_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tessera::gtk_backend {
namespace {

// A small image drawn as text: '#' opaque, '+' half (0x80), '-' faint (0x7F), '.' clear.
std::vector<std::uint32_t> Pixels(const std::vector<std::string>& rows) {
    std::vector<std::uint32_t> out;
    for (const std::string& row : rows) {
        for (char c : row) {
            out.push_back(c == '#'   ? 0xFF102030u
                          : c == '+' ? 0x80080810u
                          : c == '-' ? 0x7F080810u
                                     : 0u);
        }
    }
    return out;
}

TEST(AlphaShapeTest, RoundedCornersBecomeBandsOfSpans) {
    const std::vector<std::string> image = {
        ".####.", "######", "######", "##..#+", ".####-",
    };
    const auto pixels = Pixels(image);
    AlphaShape shape;
    shape.Update(pixels.data(), 6, 5, 6, 0, 5);
    const std::vector<ShapeRect> expected = {
        {1, 0, 4, 1},                // top row without its corners
        {0, 1, 6, 2},                // two equal rows merged into one band
        {0, 3, 2, 1},                // a hole splits the row; the half-opaque pixel counts
        {4, 3, 2, 1}, {1, 4, 4, 1},  // the faint pixel does not
    };
    EXPECT_EQ(shape.Rects(), expected);
}

TEST(AlphaShapeTest, PartialUpdateRescansOnlyItsRowsAndResizeRescansAll) {
    auto pixels = Pixels({"####", "####", "####"});
    AlphaShape shape;
    shape.Update(pixels.data(), 4, 3, 4, 0, 3);
    EXPECT_EQ(shape.Rects(), (std::vector<ShapeRect>{{0, 0, 4, 3}}));

    // Clear the middle row but only tell the shape about row 0: nothing changes yet.
    for (int x = 0; x < 4; ++x)
        pixels[4 + x] = 0;
    shape.Update(pixels.data(), 4, 3, 4, 0, 1);
    EXPECT_EQ(shape.Rects(), (std::vector<ShapeRect>{{0, 0, 4, 3}}));
    shape.Update(pixels.data(), 4, 3, 4, 1, 2);
    EXPECT_EQ(shape.Rects(), (std::vector<ShapeRect>{{0, 0, 4, 1}, {0, 2, 4, 1}}));

    // A new size rescans every row, whatever rows the caller names.
    const auto wide = Pixels({"..##..", "..##.."});
    shape.Update(wide.data(), 6, 2, 6, 0, 0);
    EXPECT_EQ(shape.Rects(), (std::vector<ShapeRect>{{2, 0, 2, 2}}));
}

TEST(AlphaShapeTest, StrideLongerThanTheRowIsHonoured) {
    // Two rows of 3 pixels stored 4 words apart; the padding word is opaque garbage.
    const std::vector<std::uint32_t> pixels = {0xFF000000u, 0, 0xFF000000u, 0xFF000000u,
                                               0,           0, 0,           0xFF000000u};
    AlphaShape shape;
    shape.Update(pixels.data(), 3, 2, 4, 0, 2);
    EXPECT_EQ(shape.Rects(), (std::vector<ShapeRect>{{0, 0, 1, 1}, {2, 0, 1, 1}}));
}

}  // namespace
}  // namespace Tessera::gtk_backend
