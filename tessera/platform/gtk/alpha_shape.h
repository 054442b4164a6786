#pragma once

// The shape of a layered window on an X server without a compositor: the part of the
// client image that is at least half opaque, as rectangles. Rows are kept as spans so a
// partial repaint rescans only its rows, and rows with equal spans merge into bands, so
// an unchanged shape is recognised without asking the X server anything.

#include <cstdint>
#include <utility>
#include <vector>

namespace Tessera::gtk_backend {

struct ShapeRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ShapeRect&, const ShapeRect&) = default;
};

class AlphaShape {
public:
    // Rescans rows [top, bottom) of a `width` x `height` image of premultiplied BGRA words
    // (alpha in the top byte), `stride` words a row. A new size rescans everything.
    void Update(const std::uint32_t* pixels, int width, int height, int stride, int top,
                int bottom);
    std::vector<ShapeRect> Rects() const;

private:
    int width_ = -1;
    std::vector<std::vector<std::pair<int, int>>> rows_;  // [begin, end) per row
};

}  // namespace Tessera::gtk_backend
