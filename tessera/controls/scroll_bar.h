#pragma once

// MScrollBar: the thin scroll bars a panel owns (ids 1 and 2). The image strip holds
// three looks side by side: the track, the hovered thumb, the thumb.

#include "tessera/core/control_font.h"

namespace Tessera {

class MScrollBar : public MControlFont {
public:
    MScrollBar(MObject* parent, unsigned id, CRect rect, int visible, bool vertical);

    void InitControl(PaintManager* manager) override;
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int bar, unsigned dir, CPoint point) override;

    bool IsVertical() const { return vertical_; }
    // Scrollable distance (content length minus view length) and view length; a range of
    // 0 means nothing to scroll and hides the thumb.
    void SetScrollRange(int range, int page);
    int GetScrollRange() const { return range_; }
    // Clamped to 0..range; notifies the owner with NOTIFY_SCROLL when it changes.
    void SetScrollPos(int position, bool notify = true);
    int GetScrollPos() const { return position_; }
    CRect GetThumbRect() const;

private:
    int Length() const { return vertical_ ? rect_.Height() : rect_.Width(); }

    bool vertical_;
    int range_ = 0;
    int page_ = 0;
    int position_ = 0;
    bool hot_ = false;
    bool dragging_ = false;
    int dragOffset_ = 0;
};

}  // namespace Tessera
