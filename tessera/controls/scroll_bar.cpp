#include "tessera/controls/scroll_bar.h"

#include <algorithm>

#include "tessera/core/paint_manager.h"
#include "tessera/core/render.h"

namespace Tessera {

MScrollBar::MScrollBar(MObject* parent, unsigned id, CRect rect, int visible, bool vertical)
    : MControlFont(parent, id, rect, L"", visible, 1, 1), vertical_(vertical) {}

void MScrollBar::InitControl(PaintManager* manager) {
    if (manager == nullptr || strip_ != nullptr) {
        return;
    }
    const unsigned res = vertical_ ? manager->GetScrollVID() : manager->GetScrollHID();
    if (res == 0 || !SetImage(res, L"PNG", 3)) {
        SetImage(vertical_ ? L"img_scroll_v.png" : L"img_scroll_h.png", 3);
    }
}

void MScrollBar::SetScrollRange(int range, int page) {
    range_ = std::max(range, 0);
    page_ = std::max(page, 0);
    position_ = std::clamp(position_, 0, range_);
    UpdateControl(1, 0);
}

void MScrollBar::SetScrollPos(int position, bool notify) {
    position = std::clamp(position, 0, range_);
    if (position == position_) {
        return;
    }
    position_ = position;
    UpdateControl(1, 0);
    if (notify) {
        SendMessageW(NOTIFY_SCROLL, static_cast<unsigned>(position_), 0);
    }
}

CRect MScrollBar::GetThumbRect() const {
    if (range_ <= 0) {
        return {};
    }
    const int length = Length();
    if (length <= 0) {
        return {};
    }
    // The smallest thumb still fits a bar shorter than it, so it never leaves the bar.
    const int thumb =
        std::min(std::max(16, page_ > 0 ? length * page_ / (page_ + range_) : length / 4), length);
    const int offset = (length - thumb) * position_ / range_;
    return vertical_
               ? CRect(rect_.left, rect_.top + offset, rect_.right, rect_.top + offset + thumb)
               : CRect(rect_.left + offset, rect_.top, rect_.left + offset + thumb, rect_.bottom);
}

void MScrollBar::DrawControl(Canvas& dc, CRect) {
    if (range_ <= 0) {
        return;
    }
    auto drawLook = [&](int frame, const CRect& where) {
        if (strip_ == nullptr || !strip_->image || where.IsRectEmpty()) {
            dc.FillRect(where, frame == 0 ? 0x40FFFFFF : 0xFF38E3ED);
            return;
        }
        const int fw = strip_->width;
        const int fh = strip_->height;
        // Three slices along the bar: 6 pixels at each end unscaled, the middle stretched.
        if (vertical_) {
            MRender::DrawImageFrameMID(dc, *strip_->image, where, frame * fw, 0, fw, fh, 0, 6, 0,
                                       6);
        } else {
            MRender::DrawImageFrameMID(dc, *strip_->image, where, frame * fw, 0, fw, fh, 6, 0, 6,
                                       0);
        }
    };
    drawLook(0, rect_);
    drawLook(hot_ || dragging_ ? 1 : 2, GetThumbRect());
}

int MScrollBar::OnControlMouseMove(unsigned, CPoint point) {
    const bool hot = GetThumbRect().PtInRect(point);
    if (dragging_ && range_ > 0) {
        const CRect thumb = GetThumbRect();
        const int thumbLength = vertical_ ? thumb.Height() : thumb.Width();
        const int travel = std::max(Length() - thumbLength, 1);
        const int along = vertical_ ? point.y - rect_.top : point.x - rect_.left;
        SetScrollPos((along - dragOffset_) * range_ / travel);
        return 1;
    }
    if (hot != hot_) {
        hot_ = hot;
        UpdateControl(1, 0);
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

int MScrollBar::OnControlLButtonDown(unsigned, CPoint point) {
    if (range_ <= 0 || !rect_.PtInRect(point)) {
        return 0;
    }
    const CRect thumb = GetThumbRect();
    if (thumb.PtInRect(point)) {
        dragging_ = true;
        dragOffset_ = vertical_ ? point.y - thumb.top : point.x - thumb.left;
    } else {
        // A press on the track pages towards the point.
        const bool before = vertical_ ? point.y < thumb.top : point.x < thumb.left;
        SetScrollPos(position_ + (before ? -1 : 1) * std::max(page_, 1));
    }
    return 1;
}

int MScrollBar::OnControlLButtonUp(unsigned, CPoint) {
    if (!dragging_) {
        return 0;
    }
    dragging_ = false;
    UpdateControl(1, 0);
    return 1;
}

int MScrollBar::OnControlScroll(int, unsigned dir, CPoint) {
    if (range_ <= 0) {
        return 0;
    }
    SetScrollPos(position_ + (dir ? 30 : -30));
    return 1;
}

}  // namespace Tessera
