#include "tessera/core/render.h"

#include <algorithm>
#include <cmath>

namespace Tessera {

void MRender::CheckAlphaColor(COLORREF& color) {
    if ((color & 0x00FFFFFFu) == 0) {
        color = (color & 0xFF000000u) | 1u;
    }
}

std::unique_ptr<Image> MRender::LoadImageFromFile(const std::wstring& path) {
    return Tessera::LoadImageFromFile(path);
}

int MRender::SaveBitmapToFile(const Surface& bitmap, const std::wstring& path) {
    return SaveSurfaceToPng(bitmap, path) ? 1 : 0;
}

void MRender::FillSolidRect(Canvas& dc, const CRect& rect, COLORREF color) {
    dc.FillRect(rect, ColorRefToArgb(color));
}

void MRender::DrawColor(Canvas& dc, const CRect& rect, ARGB color) {
    dc.FillRect(rect, color);
}

void MRender::DrawGradient(Canvas& dc, const CRect& rect, ARGB from, ARGB to, bool vertical, int) {
    const unsigned meanAlpha = ((from >> 24) + (to >> 24)) / 2;
    if (meanAlpha == 0) {
        return;
    }
    dc.FillGradient(rect, from, to, vertical);
}

void MRender::DrawRectangle(Canvas& dc, const CRect& rect, ARGB color, int width) {
    dc.DrawRect(rect, color, width);
}

void MRender::DrawRoundRectange(Canvas& dc, int x, int y, int w, int h, int radius, ARGB color,
                                double width, bool fill, ARGB fillColor) {
    dc.DrawRoundRect(CRect(x, y, x + w, y + h), radius, color, width, fill, fillColor);
}

void MRender::DrawImageFrame(Canvas& dc, const Image& image, const CRect& dst, int srcX, int srcY,
                             int srcW, int srcH, int corner, int alpha) {
    dc.DrawImageNineGrid(image, dst, CRect(srcX, srcY, srcX + srcW, srcY + srcH), corner, corner,
                         corner, corner, alpha);
}

void MRender::DrawImageFrameMID(Canvas& dc, const Image& image, const CRect& dst, int srcX,
                                int srcY, int srcW, int srcH, int left, int top, int right,
                                int bottom, int alpha) {
    dc.DrawImageNineGrid(image, dst, CRect(srcX, srcY, srcX + srcW, srcY + srcH), left, top, right,
                         bottom, alpha);
}

namespace {

// dst = src * alpha + dst * (1 - srcAlpha * alpha), all premultiplied.
inline std::uint32_t BlendConstant(std::uint32_t dst, std::uint32_t src, int alpha) {
    const std::uint32_t sa = ((src >> 24) * static_cast<std::uint32_t>(alpha) + 127) / 255;
    const std::uint32_t keep = 255 - sa;
    auto channel = [&](int shift) {
        const std::uint32_t s = ((src >> shift) & 0xFF) * static_cast<std::uint32_t>(alpha);
        const std::uint32_t d = ((dst >> shift) & 0xFF) * keep;
        return std::min<std::uint32_t>(255, (s + d + 127) / 255);
    };
    return (channel(24) << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

struct Ramp {
    int start;
    int end;
    bool descending;
};

Ramp MakeRamp(int a, int b) {
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    return {255 - lo * 255 / 100, (100 - hi) * 255 / 100, a < b};
}

int RampAlpha(const Ramp& ramp, int index, int count) {
    const int step = count > 0 ? (ramp.start - ramp.end) / count : 0;
    const int alpha = ramp.descending ? ramp.start - index * step : ramp.end + index * step;
    return std::clamp(alpha, 0, 255);
}

template <bool kVertical>
int Transition(Surface& dst, const Surface& src, const CRect& dstRect, const CRect& srcRect, int a,
               int b) {
    const Ramp ramp = MakeRamp(a, b);
    const int w = std::min(dstRect.Width(), srcRect.Width());
    const int h = std::min(dstRect.Height(), srcRect.Height());
    const int count = kVertical ? h : w;
    int last = RampAlpha(ramp, 0, count);
    for (int y = 0; y < h; ++y) {
        const int dy = dstRect.top + y;
        const int sy = srcRect.top + y;
        if (dy < 0 || dy >= dst.Height() || sy < 0 || sy >= src.Height()) {
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const int dx = dstRect.left + x;
            const int sx = srcRect.left + x;
            if (dx < 0 || dx >= dst.Width() || sx < 0 || sx >= src.Width()) {
                continue;
            }
            last = RampAlpha(ramp, kVertical ? y : x, count);
            dst.Row(dy)[dx] = BlendConstant(dst.Row(dy)[dx], src.Row(sy)[sx], last);
        }
    }
    return last;
}

}  // namespace

int MRender::DrawVerticalTransition(Surface& dst, const Surface& src, const CRect& dstRect,
                                    const CRect& srcRect, int a, int b) {
    return Transition<true>(dst, src, dstRect, srcRect, a, b);
}

int MRender::DrawHorizontalTransition(Surface& dst, const Surface& src, const CRect& dstRect,
                                      const CRect& srcRect, int a, int b) {
    return Transition<false>(dst, src, dstRect, srcRect, a, b);
}

void MRender::DrawRightBottomTransition(Surface& dst, const CRect& rect, int n) {
    if (n <= 0) {
        return;
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int x = rect.right - n + i;
            const int y = rect.bottom - n + j;
            if (x < 0 || y < 0 || x >= dst.Width() || y >= dst.Height()) {
                continue;
            }
            const double distance = std::min<double>(n, std::sqrt(double(i * i + j * j)));
            const auto keep = static_cast<std::uint32_t>(255 - 255 * distance / n);
            std::uint32_t& p = dst.Row(y)[x];
            auto scale = [keep](std::uint32_t c) { return (c * keep + 127) / 255; };
            p = (scale(p >> 24) << 24) | (scale((p >> 16) & 0xFF) << 16) |
                (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
        }
    }
}

CPoint MRender::GetOriginPoint(int x, int y, int cx, int cy, unsigned h, unsigned v) {
    CPoint p(0, 0);
    if (h == 1) {
        p.x = (x - cx) / 2;
    } else if (h == 2) {
        p.x = x - cx;
    }
    if (v == 4) {
        p.y = (y - cy) / 2;
    } else if (v == 8) {
        p.y = y - cy;
    }
    return p;
}

CPoint MRender::GetOriginPoint(const CRect& rect, int cx, int cy, unsigned h, unsigned v) {
    CPoint p = GetOriginPoint(rect.Width(), rect.Height(), cx, cy, h, v);
    return {p.x + rect.left, p.y + rect.top + 2};
}

CSize MRender::GetTextBounds(const FontSpec& font, const std::wstring& text) {
    const CSize measured = Canvas::MeasureText(text, font);
    return {measured.cx, font.pixelSize + 1};
}

void MRender::DrawTextW(Canvas& dc, const CRect& rect, const std::wstring& text, COLORREF color,
                        const FontSpec& font, unsigned format) {
    dc.DrawText(text, rect, font, ColorRefToArgb(color), format);
}

}  // namespace Tessera
