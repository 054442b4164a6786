#pragma once

// A 32-bit premultiplied BGRA pixel buffer, top row first, no row padding. This is the
// memory layout of a Cairo ARGB32 image surface and of a 32-bit premultiplied DIB, so the
// framework reads and writes the raw bytes (alpha repair, colour picking) the same way
// on every platform. Pixels are held as 0xAARRGGBB words in native byte order.

#include <cstdint>
#include <vector>

#include "tessera/platform/geometry.h"

namespace Tessera {

class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    // Reallocates when the size changes; the pixels are then all transparent. Negative
    // sizes count as 0.
    void Resize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return width_ * 4; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    CRect Bounds() const { return {0, 0, width_, height_}; }

    std::uint32_t* Data() { return pixels_.data(); }
    const std::uint32_t* Data() const { return pixels_.data(); }
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }

    // Premultiplied pixel; 0 outside the surface.
    std::uint32_t PixelAt(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t premultiplied);

    // Sets every pixel of `rect` (clipped to the surface) to `premultiplied`.
    void Fill(const CRect& rect, std::uint32_t premultiplied);
    // Copies the pixels of `src` inside `srcRect` to (dx, dy), replacing what is there
    // (no blending); both sides are clipped.
    void CopyFrom(const Surface& src, const CRect& srcRect, int dx, int dy);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Premultiplies a straight ARGB colour.
std::uint32_t PremultiplyArgb(ARGB color);
// Straight ARGB of a premultiplied pixel.
ARGB UnpremultiplyPixel(std::uint32_t pixel);

}  // namespace Tessera
