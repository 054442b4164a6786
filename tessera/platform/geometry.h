#pragma once

// Rectangles, points and colours in the shapes the framework's window logic uses
// (left/top/right/bottom rectangles, 0x00BBGGRR and 0xAARRGGBB values).

#include <algorithm>
#include <cstdint>

namespace Tessera {

using COLORREF = std::uint32_t;  // 0x00BBGGRR
using ARGB = std::uint32_t;      // 0xAARRGGBB

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Framework control colours are ARGB; the program's data colours are COLORREF.
constexpr ARGB ColorRefToArgb(COLORREF c, int alpha = 255) {
    return (static_cast<ARGB>(alpha & 0xFF) << 24) | (static_cast<ARGB>(GetRValue(c)) << 16) |
           (static_cast<ARGB>(GetGValue(c)) << 8) | static_cast<ARGB>(GetBValue(c));
}
constexpr COLORREF ArgbToColorRef(ARGB c) {
    return RGB(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
               static_cast<int>(c & 0xFF));
}

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr void SetRectEmpty() { left = top = right = bottom = 0; }
    constexpr void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void DeflateRect(int dx, int dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
    constexpr void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }

    // Intersection; empty rectangles give an all-zero result, as Windows does.
    constexpr static CRect Intersect(const CRect& a, const CRect& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            return {};
        }
        return r;
    }
    // Union; an empty operand does not take part.
    constexpr static CRect Union(const CRect& a, const CRect& b) {
        if (a.IsRectEmpty()) {
            return b.IsRectEmpty() ? CRect{} : b;
        }
        if (b.IsRectEmpty()) {
            return a;
        }
        return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
    }
    constexpr bool Intersects(const CRect& o) const { return !Intersect(*this, o).IsRectEmpty(); }

    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

}  // namespace Tessera
