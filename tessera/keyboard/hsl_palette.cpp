#include "tessera/keyboard/hsl_palette.h"

#include <algorithm>
#include <cmath>

#include "tessera/core/paint_manager.h"

namespace Tessera {

namespace {

double HueChannel(double p, double q, double t) {
    if (t < 0) {
        t += 1;
    }
    if (t > 1) {
        t -= 1;
    }
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

int Channel(double v) {
    return std::clamp(static_cast<int>(std::lround(v * 255)), 0, 255);
}

// A pure black pixel would read as a hole in a layered window.
std::uint32_t FieldPixel(COLORREF color) {
    const ARGB argb = (color & 0xFFFFFF) == 0 ? 0xFF000001u : ColorRefToArgb(color);
    return PremultiplyArgb(argb);
}

constexpr ARGB kMarkerLight = 0xFEFFFFFF;
constexpr ARGB kMarkerShade = 0xFE808080;
constexpr ARGB kDisabledCover = 0x0A808080;

}  // namespace

COLORREF HslToColorRef(double h, double s, double l) {
    if (s <= 0) {
        const int grey = Channel(l);
        return RGB(grey, grey, grey);
    }
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return RGB(Channel(HueChannel(p, q, h + 1.0 / 3)), Channel(HueChannel(p, q, h)),
               Channel(HueChannel(p, q, h - 1.0 / 3)));
}

void ColorRefToHsl(COLORREF color, double& h, double& s, double& l) {
    const double r = GetRValue(color) / 255.0;
    const double g = GetGValue(color) / 255.0;
    const double b = GetBValue(color) / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    l = (hi + lo) / 2;
    if (hi == lo) {
        h = s = 0;
        return;
    }
    const double d = hi - lo;
    s = l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
    if (hi == r) {
        h = (g - b) / d + (g < b ? 6 : 0);
    } else if (hi == g) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    h /= 6;
}

MPalette::MPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), field_(Surface(400, 360)) {
    FillField();
    FillBar();
    Layout();
    PlaceMarker();
}

void MPalette::PlaceMarker() {
    marker_ = {paletteRect_.left + paletteRect_.Width() * hue_ / 360,
               paletteRect_.top + paletteRect_.Height() * (lightness_ - 20) / 180};
}

void MPalette::Layout() {
    paletteRect_ = {rect_.left, rect_.top, rect_.right - barWidth_ - 22, rect_.top + palletHeight_};
    barRect_ = {rect_.right - barWidth_ - 16, rect_.top, rect_.right, rect_.top + palletHeight_};
}

void MPalette::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    Layout();
    PlaceMarker();
}

void MPalette::SetPalletHeight(int height) {
    palletHeight_ = std::max(height, 1);
    Layout();
    PlaceMarker();
    UpdateControl(1, 0);
}

int MPalette::SetThumbImage(const std::wstring& file) {
    if (manager_ == nullptr) {
        return 0;
    }
    thumb_ = manager_->AddImgResInfo(file, 4);
    UpdateControl(1, 0);
    return thumb_ != nullptr ? 1 : 0;
}

void MPalette::FillField() {
    for (int y = 0; y < kFieldHeight; ++y) {
        std::uint32_t* row = field_.MutableFrame(0).Row(y);
        for (int x = 0; x < kFieldWidth; ++x) {
            row[x] = FieldPixel(HslToColorRef(x / 360.0, 1.0, y / 200.0));
        }
    }
}

void MPalette::FillBar() {
    for (int y = 0; y < kFieldHeight; ++y) {
        const std::uint32_t pixel =
            FieldPixel(HslToColorRef(hue_ / 360.0, y / 200.0, lightness_ / 200.0));
        std::uint32_t* row = field_.MutableFrame(0).Row(y);
        std::fill(row + kBarColumn, row + kBarColumn + barWidth_, pixel);
    }
}

COLORREF MPalette::GetSelectColor() const {
    return HslToColorRef(hue_ / 360.0, saturation_ / 200.0, lightness_ / 200.0);
}

void MPalette::SetSelectColor(COLORREF color) {
    double h = 0;
    double s = 0;
    double l = 0;
    ColorRefToHsl(color, h, s, l);
    hue_ = std::clamp(static_cast<int>(std::lround(h * 360)), 0, 360);
    saturation_ = std::clamp(static_cast<int>(std::lround(s * 200)), 0, 200);
    lightness_ = std::clamp(static_cast<int>(std::lround(l * 200)), 20, 200);
    PlaceMarker();
    reported_ = GetSelectColor();
    FillBar();
    UpdateControl(1, 0);
}

void MPalette::PickInPalette(CPoint point) {
    const int w = std::max(paletteRect_.Width(), 1);
    const int h = std::max(paletteRect_.Height(), 1);
    const int x = std::clamp(point.x, paletteRect_.left, paletteRect_.right - 1);
    const int y = std::clamp(point.y, paletteRect_.top, paletteRect_.bottom - 1);
    hue_ = std::clamp((x - paletteRect_.left) * 360 / w, 0, 360);
    lightness_ = std::clamp((y - paletteRect_.top) * 180 / h + 20, 20, 200);
    marker_ = {x, y};
    FillBar();
}

void MPalette::PickInBar(CPoint point) {
    const int h = std::max(barRect_.Height(), 1);
    const int y = std::clamp(point.y, barRect_.top, barRect_.bottom);
    saturation_ = std::clamp((y - barRect_.top) * 200 / h, 0, 200);
}

void MPalette::ReportIfChanged() {
    const COLORREF color = GetSelectColor();
    UpdateControl(1, 0);
    if (color != reported_) {
        reported_ = color;
        SendMessageW(NOTIFY_COLOR, color, 0);
    }
}

int MPalette::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (paletteRect_.PtInRect(point)) {
        drag_ = kPaletteDrag;
        PickInPalette(point);
    } else if (barRect_.PtInRect(point)) {
        drag_ = kBarDrag;
        PickInBar(point);
    } else {
        return 0;
    }
    ReportIfChanged();
    return 1;
}

int MPalette::OnControlMouseMove(unsigned flags, CPoint point) {
    if (!enabled_ || (flags & MK_LBUTTON) == 0 || drag_ == kNoDrag) {
        return rect_.PtInRect(point) ? 1 : 0;
    }
    if (drag_ == kPaletteDrag) {
        if (!paletteRect_.PtInRect(point)) {
            return 1;
        }
        PickInPalette(point);
    } else {
        PickInBar(point);
    }
    // Every change of the colour reaches the owner, the palette's drags included.
    ReportIfChanged();
    return 1;
}

int MPalette::OnControlLButtonUp(unsigned, CPoint) {
    drag_ = kNoDrag;
    return 1;
}

void MPalette::DrawControl(Canvas& dc, CRect) {
    const int w = rect_.Width();
    const int h = rect_.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    if (!update_ || cache_.Width() != w || cache_.Height() != h) {
        Surface& cache = UpdateMemDC(dc, w, h);
        CopyWindowPixels(dc, cache, 0, 0);
        Canvas c(cache);
        CRect palette = paletteRect_;
        palette.OffsetRect(-rect_.left, -rect_.top);
        c.DrawImage(field_, palette, CRect(0, kFieldFirstRow, kFieldWidth, kFieldHeight));
        CRect bar(barRect_.left, barRect_.top, barRect_.left + barWidth_, barRect_.bottom);
        bar.OffsetRect(-rect_.left, -rect_.top);
        c.DrawImage(field_, bar, CRect(kBarColumn, 0, kBarColumn + barWidth_, kFieldHeight));
        const CRect marker(marker_.x - rect_.left - 4, marker_.y - rect_.top - 4,
                           marker_.x - rect_.left + 4, marker_.y - rect_.top + 4);
        CRect shade = marker;
        shade.OffsetRect(1, 1);
        c.DrawRoundRect(marker, 4, kMarkerLight, 1, false, 0);
        c.DrawRoundRect(shade, 4, kMarkerShade, 1, false, 0);
        if (thumb_ != nullptr && thumb_->get() != nullptr && thumb_->width > 0) {
            const int ty = bar.top + bar.Height() * saturation_ / 200 - thumb_->height / 2;
            c.DrawImage(*thumb_->get(),
                        CRect(bar.right, ty, bar.right + thumb_->width, ty + thumb_->height),
                        CRect(0, 0, thumb_->width, thumb_->height));
        }
        if (!enabled_) {
            c.FillRect(CRect(0, 0, w, h), kDisabledCover);
        }
        c.Flush();
    }
    dc.DrawSurface(cache_, cache_.Bounds(), rect_.left, rect_.top, 255, true);
}

}  // namespace Tessera
