#include "tessera/platform/surface.h"

#include <algorithm>
#include <cstring>

namespace Tessera {

Surface::Surface(int width, int height) {
    Resize(width, height);
}

void Surface::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
}

std::uint32_t Surface::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return Row(y)[x];
}

void Surface::SetPixel(int x, int y, std::uint32_t premultiplied) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    Row(y)[x] = premultiplied;
}

void Surface::Fill(const CRect& rect, std::uint32_t premultiplied) {
    CRect r = CRect::Intersect(rect, Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(Row(y) + r.left, Row(y) + r.right, premultiplied);
    }
}

void Surface::CopyFrom(const Surface& src, const CRect& srcRect, int dx, int dy) {
    CRect s = CRect::Intersect(srcRect, src.Bounds());
    if (s.IsRectEmpty()) {
        return;
    }
    // Shift the destination by what clipping removed from the source.
    dx += s.left - srcRect.left;
    dy += s.top - srcRect.top;
    CRect d = CRect::Intersect(CRect(dx, dy, dx + s.Width(), dy + s.Height()), Bounds());
    if (d.IsRectEmpty()) {
        return;
    }
    const int sx = s.left + (d.left - dx);
    const int sy = s.top + (d.top - dy);
    const auto bytes = static_cast<std::size_t>(d.Width()) * 4;
    for (int row = 0; row < d.Height(); ++row) {
        std::memmove(Row(d.top + row) + d.left, src.Row(sy + row) + sx, bytes);
    }
}

std::uint32_t PremultiplyArgb(ARGB color) {
    const std::uint32_t a = color >> 24;
    if (a == 255) {
        return color;
    }
    if (a == 0) {
        return 0;
    }
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((color >> 16) & 0xFF) << 16) | (mul((color >> 8) & 0xFF) << 8) |
           mul(color & 0xFF);
}

ARGB UnpremultiplyPixel(std::uint32_t pixel) {
    const std::uint32_t a = pixel >> 24;
    if (a == 255 || a == 0) {
        return a == 0 ? 0 : pixel;
    }
    auto div = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (div((pixel >> 16) & 0xFF) << 16) | (div((pixel >> 8) & 0xFF) << 8) |
           div(pixel & 0xFF);
}

}  // namespace Tessera
