#include "tessera/platform/gtk/alpha_shape.h"

#include <algorithm>

namespace Tessera::gtk_backend {

void AlphaShape::Update(const std::uint32_t* pixels, int width, int height, int stride, int top,
                        int bottom) {
    if (width != width_ || static_cast<int>(rows_.size()) != height) {
        width_ = width;
        rows_.assign(static_cast<std::size_t>(std::max(0, height)), {});
        top = 0;
        bottom = height;
    }
    top = std::max(0, top);
    bottom = std::min(height, bottom);
    for (int y = top; y < bottom; ++y) {
        auto& spans = rows_[static_cast<std::size_t>(y)];
        spans.clear();
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] >> 24) < 0x80) {
                ++x;
            }
            const int begin = x;
            while (x < width && (row[x] >> 24) >= 0x80) {
                ++x;
            }
            if (x > begin) {
                spans.emplace_back(begin, x);
            }
        }
    }
}

std::vector<ShapeRect> AlphaShape::Rects() const {
    std::vector<ShapeRect> rects;
    std::size_t bandStart = 0;  // first rectangle of the band the previous row belongs to
    for (std::size_t y = 0; y < rows_.size(); ++y) {
        const auto& spans = rows_[y];
        if (y > 0 && !spans.empty() && spans == rows_[y - 1]) {
            for (std::size_t i = bandStart; i < rects.size(); ++i) {
                ++rects[i].height;
            }
            continue;
        }
        bandStart = rects.size();
        for (const auto& [begin, end] : spans) {
            rects.push_back({begin, static_cast<int>(y), end - begin, 1});
        }
    }
    return rects;
}

}  // namespace Tessera::gtk_backend
