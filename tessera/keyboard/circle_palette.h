#pragma once

// CirclePalette: the colour wheel of the lighting page. The user drags a small ring over
// the wheel image of the skin; the control reports the colour shown under the mouse. It
// computes no colour itself: the colours offered are exactly those of the wheel image
// as drawn in the window.

#include "tessera/core/control_font.h"
#include "tessera/platform/surface.h"

namespace Tessera {

class CirclePalette : public MControlFont {
public:
    static constexpr int kThumbSize = 10;
    static constexpr CPoint kThumbHome{120, 30};  // from the control's top-left
    static constexpr int kRingInner = 35;         // exclusive
    static constexpr int kRingOuter = 73;         // inclusive
    static constexpr int kDragStep = 5;           // moves this small are ignored
    static constexpr int kSwatchDiameter = 50;

    enum State { kIdle = 0, kOverThumb = 1, kDragging = 2 };

    CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"CirclePalette"; }

    COLORREF GetSelectColor() const { return color_; }
    // Moves the thumb to a point on the ring and takes the colour shown there; always 0.
    int MoveThumbPos(CPoint point);
    // Distance of the point from the control's centre, truncated.
    int GetDistanse(CPoint point) const;
    CRect GetThumbRect() const { return thumb_; }
    int GetState() const { return state_; }

    // ---- overrides ----
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlRect(CRect rect) override;
    void DrawControl(Canvas& dc, CRect clip) override;

private:
    void PlaceThumbHome();
    // The colour the window shows at a client point, the ring's own overlay left out.
    COLORREF ShownColorAt(CPoint point) const;

    COLORREF color_ = 0x0000FF;
    CRect thumb_;
    int state_ = kIdle;
    CPoint last_;
    // The pixels under the control with the wheel drawn, before the thumb and swatch.
    Surface wheelLayer_;
};

}  // namespace Tessera
