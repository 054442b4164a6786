#pragma once

// Drawing helpers the controls share: nine-grid images, item placement, alpha ramps
// over raw pixels, text measuring, and colour fixes for layered windows.

#include <memory>
#include <string>

#include "tessera/platform/canvas.h"
#include "tessera/platform/fonts.h"
#include "tessera/platform/geometry.h"
#include "tessera/platform/image.h"
#include "tessera/platform/surface.h"

namespace Tessera {

class MRender {
public:
    MRender() = delete;

    // A colour whose RGB part is 0 becomes 1: pure black would read as transparent in a
    // layered window after the alpha repair.
    static void CheckAlphaColor(COLORREF& color);

    static std::unique_ptr<Image> LoadImageFromFile(const std::wstring& path);
    static int SaveBitmapToFile(const Surface& bitmap, const std::wstring& path);

    static void FillSolidRect(Canvas& dc, const CRect& rect, COLORREF color);
    // Fill; nothing when alpha is 0.
    static void DrawColor(Canvas& dc, const CRect& rect, ARGB color);
    static void DrawGradient(Canvas& dc, const CRect& rect, ARGB from, ARGB to, bool vertical,
                             int steps);
    static void DrawRectangle(Canvas& dc, const CRect& rect, ARGB color, int width = 1);
    static void DrawRoundRectange(Canvas& dc, int x, int y, int w, int h, int radius, ARGB color,
                                  double width, bool fill, ARGB fillColor);

    // Nine-grid of the source rectangle into `dst`: corners (corner x corner) unscaled,
    // edges stretched along their length, the centre both ways.
    static void DrawImageFrame(Canvas& dc, const Image& image, const CRect& dst, int srcX, int srcY,
                               int srcW, int srcH, int corner, int alpha = 255);
    static void DrawImageFrameMID(Canvas& dc, const Image& image, const CRect& dst, int srcX,
                                  int srcY, int srcW, int srcH, int left, int top, int right,
                                  int bottom, int alpha = 255);

    // Blends `src` onto `dst` row by row with a constant alpha that changes linearly from
    // top to bottom between the two percentages; returns the last alpha used.
    static int DrawVerticalTransition(Surface& dst, const Surface& src, const CRect& dstRect,
                                      const CRect& srcRect, int a, int b);
    // The same column by column.
    static int DrawHorizontalTransition(Surface& dst, const Surface& src, const CRect& dstRect,
                                        const CRect& srcRect, int a, int b);
    // Fades the bottom-right corner square of side n inside `rect` towards transparent.
    static void DrawRightBottomTransition(Surface& dst, const CRect& rect, int n);

    // Where an item of size (cx, cy) goes in a span: h 1 centre, 2 end; v 4 centre, 8 end.
    static CPoint GetOriginPoint(int x, int y, int cx, int cy, unsigned h, unsigned v);
    // The same in a rectangle (origin added, and 2 pixels down).
    static CPoint GetOriginPoint(const CRect& rect, int cx, int cy, unsigned h, unsigned v);

    // Text extent: measured width; height = font size + 1 (+4 for fractional sizes).
    static CSize GetTextBounds(const FontSpec& font, const std::wstring& text);
    // Text in a COLORREF colour (alpha 255); nothing for an empty text.
    static void DrawTextW(Canvas& dc, const CRect& rect, const std::wstring& text, COLORREF color,
                          const FontSpec& font, unsigned format);
};

}  // namespace Tessera
