#include "tessera/controls/area.h"

#include "tessera/core/render.h"

namespace Tessera {

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

void CArea::SetTransparent(int startPercent, int endPercent, COLORREF color) {
    startTransparency_ = startPercent;
    endTransparency_ = endPercent;
    color_ = color;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int on, ARGB frameColor, int) {
    frame_ = on;
    frameColor_ = frameColor;
    UpdateControl(1, 0);
}

void CArea::DrawControl(Canvas& dc, CRect) {
    const int w = rect_.Width();
    const int h = rect_.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    if (!update_ || cache_.Width() != w || cache_.Height() != h) {
        Surface& cache = UpdateMemDC(dc, w, h);
        CopyWindowPixels(dc, cache, 0, 0);
        const ARGB brush = ColorRefToArgb(color_, 254);
        const CRect local(0, 0, w, h);
        if (startTransparency_ != 0 || endTransparency_ != 0) {
            Surface fill(w, h);
            fill.Fill(local, PremultiplyArgb(brush));
            if (direction_ == 1) {
                MRender::DrawVerticalTransition(cache, fill, local, local, startTransparency_,
                                                endTransparency_);
            } else {
                MRender::DrawHorizontalTransition(cache, fill, local, local, startTransparency_,
                                                  endTransparency_);
            }
        } else {
            Canvas c(cache);
            if (frame_) {
                c.FillRect(local, frameColor_);
                CRect inner = local;
                inner.DeflateRect(1, 1);
                c.FillRect(inner, brush);
            } else {
                c.FillRect(local, brush);
            }
        }
    }
    dc.DrawSurface(cache_, CRect(0, 0, w, h), rect_.left, rect_.top, 255, true);
}

}  // namespace Tessera
