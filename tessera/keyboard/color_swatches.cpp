#include "tessera/keyboard/color_swatches.h"

namespace Tessera {

COLORREF ColorSwatches::ColorAt(int index) const {
    return index >= 0 && index < Count() ? swatches_[static_cast<std::size_t>(index)].color : 0;
}

int ColorSwatches::HitTest(CPoint point) const {
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        if (swatches_[i].rect.PtInRect(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ColorSwatches::Find(COLORREF color) const {
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        if (swatches_[i].color == color) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ColorSwatches::Draw(Canvas& dc, CPoint origin) const {
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        CRect r = swatches_[i].rect;
        r.OffsetRect(-origin.x, -origin.y);
        dc.FillRect(r, ColorRefToArgb(swatches_[i].color));
        if (static_cast<int>(i) == chosen_) {
            dc.DrawRect(r, kChosenOutline, 2);
        }
    }
}

}  // namespace Tessera
