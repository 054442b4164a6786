#include "tessera/keyboard/circle_palette.h"

#include <cmath>
#include <cstdlib>

#include "tessera/core/paint_manager.h"

namespace Tessera {

namespace {
constexpr ARGB kThumbLight = 0xFEFFFFFF;
constexpr ARGB kThumbShade = 0xFE808080;
constexpr int kThumbCircle = 8;
}  // namespace

CirclePalette::CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    PlaceThumbHome();
}

void CirclePalette::PlaceThumbHome() {
    const int x = rect_.left + kThumbHome.x;
    const int y = rect_.top + kThumbHome.y;
    thumb_ = {x, y, x + kThumbSize, y + kThumbSize};
}

void CirclePalette::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    PlaceThumbHome();
}

int CirclePalette::GetDistanse(CPoint point) const {
    // The centre in whole pixels, as the ring was measured.
    const int cx = rect_.left + rect_.Width() / 2;
    const int cy = rect_.top + rect_.Height() / 2;
    const double dx = point.x - cx;
    const double dy = point.y - cy;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

COLORREF CirclePalette::ShownColorAt(CPoint point) const {
    std::uint32_t pixel = 0;
    if (!wheelLayer_.IsEmpty()) {
        pixel = wheelLayer_.PixelAt(point.x - rect_.left, point.y - rect_.top);
    } else if (manager_ != nullptr) {
        pixel = manager_->GetBackBuffer().PixelAt(point.x, point.y);
    }
    return ArgbToColorRef(UnpremultiplyPixel(pixel));
}

int CirclePalette::MoveThumbPos(CPoint point) {
    const int d = GetDistanse(point);
    if (d <= kRingInner || d > kRingOuter) {
        return 0;
    }
    last_ = point;
    const CRect next(point.x - kThumbSize / 2, point.y - kThumbSize / 2, point.x + kThumbSize / 2,
                     point.y + kThumbSize / 2);
    if (next == thumb_) {
        return 0;
    }
    thumb_ = next;
    color_ = ShownColorAt(point);
    UpdateControl(1, 0);
    SendMessageW(NOTIFY_COLOR, 0, static_cast<long>(color_));
    return 0;
}

int CirclePalette::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const bool onThumb = thumb_.PtInRect(point);
    MoveThumbPos(point);
    // A press on the ring brings the thumb under the mouse, so the drag follows it too.
    state_ = onThumb || thumb_.PtInRect(point) ? kDragging : kIdle;
    return 1;
}

int CirclePalette::OnControlMouseMove(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (state_ == kDragging) {
        if (std::abs(point.x - last_.x) <= kDragStep && std::abs(point.y - last_.y) <= kDragStep) {
            return 1;
        }
        MoveThumbPos(point);
        return 1;
    }
    if (!pressed_) {
        state_ = thumb_.PtInRect(point) ? kOverThumb : kIdle;
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

int CirclePalette::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    state_ = thumb_.PtInRect(point) ? kOverThumb : kIdle;
    return 1;
}

void CirclePalette::DrawControl(Canvas& dc, CRect) {
    const int w = rect_.Width();
    const int h = rect_.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    if (!update_ || cache_.Width() != w || cache_.Height() != h) {
        wheelLayer_.Resize(w, h);
        CopyWindowPixels(dc, wheelLayer_, 0, 0);
        if (strip_ != nullptr && strip_->get() != nullptr && frameWidth_ > 0) {
            Canvas layer(wheelLayer_);
            layer.DrawImage(*strip_->get(), CRect(0, 0, w, h),
                            CRect(0, 0, frameWidth_, frameHeight_));
            layer.Flush();
        }
        Surface& cache = UpdateMemDC(dc, w, h);
        cache.CopyFrom(wheelLayer_, wheelLayer_.Bounds(), 0, 0);
        Canvas c(cache);
        const int tx = thumb_.left - rect_.left;
        const int ty = thumb_.top - rect_.top;
        const CRect light(tx, ty, tx + kThumbCircle, ty + kThumbCircle);
        CRect shade = light;
        shade.OffsetRect(1, 1);
        c.DrawRoundRect(light, kThumbCircle / 2, kThumbLight, 1, false, 0);
        c.DrawRoundRect(shade, kThumbCircle / 2, kThumbShade, 1, false, 0);
        const CPoint centre(w / 2, h / 2);
        const int r = kSwatchDiameter / 2;
        c.FillEllipse(CRect(centre.x - r, centre.y - r, centre.x + r, centre.y + r),
                      ColorRefToArgb(color_, 0xFE));
        c.Flush();
    }
    dc.DrawSurface(cache_, cache_.Bounds(), rect_.left, rect_.top, 255, true);
}

}  // namespace Tessera
