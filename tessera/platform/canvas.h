#pragma once

// Drawing onto a Surface: fills, gradients, image blits with a source rectangle and a
// constant alpha, nine-grid stretching, anti-aliased lines and rounded rectangles, text
// with alignment, ellipsis and word breaks, clipping. All colours are straight ARGB;
// the surface stays premultiplied. One implementation (Cairo + Pango) serves every
// backend, because the surface layout is the same everywhere.

#include <memory>
#include <string>

#include "tessera/platform/fonts.h"
#include "tessera/platform/geometry.h"
#include "tessera/platform/surface.h"

namespace Tessera {

class Image;

class Canvas {
public:
    // Draws into `target`, which must outlive the canvas and keep its size meanwhile.
    explicit Canvas(Surface& target);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Surface& GetSurface() { return target_; }
    int Width() const { return target_.Width(); }
    int Height() const { return target_.Height(); }

    // Clip stack: each push intersects the current clip with `rect`.
    void PushClip(const CRect& rect);
    void PopClip();
    // Shifts the origin of later drawing (scrolling panels draw children shifted).
    void Translate(int dx, int dy);
    CPoint GetOrigin() const;

    // Source-over fill; nothing when alpha is 0.
    void FillRect(const CRect& rect, ARGB color);
    // Replaces the pixels (no blending), transparent when colour is 0.
    void ClearRect(const CRect& rect, ARGB color = 0);
    // Linear gradient from `from` to `to`, top to bottom when `vertical`, else left to right.
    void FillGradient(const CRect& rect, ARGB from, ARGB to, bool vertical);
    void DrawRect(const CRect& rect, ARGB color, int lineWidth = 1);
    void DrawLine(CPoint from, CPoint to, ARGB color, double width = 1.0);
    void DrawRoundRect(const CRect& rect, int radius, ARGB color, double width, bool fill,
                       ARGB fillColor);
    void FillEllipse(const CRect& rect, ARGB color);

    // Draws the `src` rectangle of frame `frame` of the image scaled to `dst`
    // with a constant alpha 0-255.
    void DrawImage(const Image& image, const CRect& dst, const CRect& src, int alpha = 255,
                   int frame = 0);
    void DrawImage(const Image& image, int x, int y);
    // Nine-grid: corners unscaled, edges stretched along their length, centre both ways.
    // The margins are clamped to the source and destination sizes.
    void DrawImageNineGrid(const Image& image, const CRect& dst, const CRect& src, int left,
                           int top, int right, int bottom, int alpha = 255, int frame = 0);
    // Blits a surface 1:1 (source over unless `replace`, which copies the pixels).
    void DrawSurface(const Surface& src, const CRect& srcRect, int dx, int dy, int alpha = 255,
                     bool replace = false);

    // Text in `rect` with DT_* format bits (alignment, DT_SINGLELINE, DT_WORDBREAK,
    // DT_END_ELLIPSIS). Nothing for an empty text.
    void DrawText(const std::wstring& text, const CRect& rect, const FontSpec& font, ARGB color,
                  unsigned format);
    // Size of the laid-out text; maxWidth > 0 wraps at that width.
    static CSize MeasureText(const std::wstring& text, const FontSpec& font, int maxWidth = 0);

    // Flushes pending drawing to the surface's memory before raw pixel access.
    void Flush();

private:
    struct Impl;
    Surface& target_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace Tessera
