#pragma once

// MSlider: a horizontal value slider. The four state images are the thumb (normal, hovered,
// dragging, disabled); the track and the fill are stretched behind it. Values run from the
// minimum to the maximum; a range of zero keeps the thumb at the left.

#include "tessera/core/control_font.h"

namespace Tessera {

class MSlider : public MControlFont {
public:
    MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void InitControl(PaintManager* manager) override;
    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int bar, unsigned dir, CPoint point) override;

    int SetBackGroundImage(const std::wstring& file);
    int SetForeGroundImage(const std::wstring& file);
    // Cut to the maximum; a negative value or the current one changes nothing. Returns the
    // position (value - minimum).
    int SetProgress(int value);
    int GetProgress() const { return min_ + position_; }
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return max_; }
    void SetMinProgress(int minimum);
    int GetMinProgress() const { return min_; }
    void SetShowText(int show) { showText_ = show; }
    int GetShowText() const { return showText_; }
    void SetThumbSize(CSize size);
    // Moves the thumb under the point; notifies NOTIFY_SCROLL with the value when it
    // changed. Returns the position.
    int MoveThumbPos(CPoint point);
    CRect GetThumbRect() const { return thumb_; }
    int GetState() const { return state_; }

private:
    int Range() const { return max_ - min_; }
    CSize ThumbSize() const;
    void PlaceThumb();
    void SetState(int state);

    int position_ = 0;
    int min_ = 0;
    int max_ = 10;
    CSize thumbSize_{29, 29};
    CRect thumb_;
    int state_;
    bool pressed_ = false;
    ImgResInfo* track_ = nullptr;
    ImgResInfo* fill_ = nullptr;
    int showText_ = 1;
};

}  // namespace Tessera
