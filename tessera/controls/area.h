#pragma once

// CArea: a plain colour area, optionally with a frame, or fading between two
// transparencies along its height (or width).

#include "tessera/core/control.h"

namespace Tessera {

class CArea : public MControl {
public:
    CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;

    // Transparencies in percent at the start and the end; (0, 0) gives a solid area.
    void SetTransparent(int startPercent, int endPercent, COLORREF color);
    void SetFrame(int on, ARGB frameColor, int = 0);
    // 1 vertical (top to bottom), 0 horizontal.
    void SetDirection(int direction) { direction_ = direction; }

private:
    int direction_ = 1;
    int startTransparency_ = 80;
    int endTransparency_ = 80;
    COLORREF color_ = 0xFFFFFF;
    int frame_ = 0;
    ARGB frameColor_ = 0xFE050505;
};

}  // namespace Tessera
