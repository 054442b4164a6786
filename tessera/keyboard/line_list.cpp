#include "tessera/keyboard/line_list.h"

#include <algorithm>

namespace Tessera {

MLineList::MLineList(MObject* parent, unsigned id, CRect rect, int visible, int enabled,
                     int itemHeight)
    : MPanel(parent, id, rect, L"", visible, enabled), itemHeight_(std::max(itemHeight, 1)) {
    SetDblClk(1);
}

void MLineList::SetItemHeight(int height) {
    itemHeight_ = std::max(height, 1);
    LinesChanged();
}

int MLineList::SetCurSel(int index) {
    {
        std::lock_guard lock(linesLock_);
        if (index < -1 || index >= LineCountLocked()) {
            return 0;
        }
    }
    if (index != sel_) {
        sel_ = index;
        UpdateControl(1, 0);
    }
    return 1;
}

void MLineList::Select(int index) {
    if (index != sel_) {
        sel_ = index;
        UpdateControl(1, 0);
    }
}

int MLineList::GetItemCount() {
    std::lock_guard lock(linesLock_);
    return LineCountLocked();
}

CRect MLineList::GetItemRect(int index) {
    std::lock_guard lock(linesLock_);
    if (index < 0 || index >= LineCountLocked()) {
        return {};
    }
    const int top = rect_.top + index * itemHeight_ - GetScrollOffset().y;
    return {rect_.left, top, rect_.left + ContentWidth(), top + itemHeight_};
}

void MLineList::LinesChanged() {
    int count = 0;
    {
        std::lock_guard lock(linesLock_);
        count = LineCountLocked();
    }
    SetVirtualSize(0, count * itemHeight_);
    UpdateControl(1, 0);
}

void MLineList::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    SetVirtualSize(0, GetVirtualSize().cy);
}

int MLineList::ContentWidth() const {
    const MScrollBar* bar = GetVScrollBar();
    const int barWidth = bar != nullptr && bar->IsVisible() ? bar->GetRect().Width() : 0;
    return std::max(rect_.Width() - barWidth, 0);
}

int MLineList::LineAtLocked(CPoint point, CPoint* inLine) const {
    if (!rect_.PtInRect(point) || point.x >= rect_.left + ContentWidth()) {
        return -1;
    }
    const int y = point.y - rect_.top + GetScrollOffset().y;
    const int index = y / itemHeight_;
    if (y < 0 || index >= LineCountLocked()) {
        return -1;
    }
    if (inLine != nullptr) {
        *inLine = {point.x - rect_.left, y - index * itemHeight_};
    }
    return index;
}

// ---- drawing ----

void MLineList::DrawControl(Canvas& dc, CRect) {
    const int width = rect_.Width();
    const int view = rect_.Height();
    if (width <= 0 || view <= 0) {
        return;
    }
    std::lock_guard lock(linesLock_);
    const int n = LineCountLocked();
    const int h = itemHeight_;
    const int offset = GetScrollOffset().y;
    const int first = std::max(0, offset / h);
    const int last = std::max(0, std::min(n - 1, (view + offset) / h));
    const int cacheHeight = std::max(view, (last - first + 1) * h);
    if (!update_ || cache_.Width() != width || cache_.Height() != cacheHeight) {
        Surface& cache = UpdateMemDC(dc, width, cacheHeight);
        cache.Fill(cache.Bounds(), 0xFFFFFFFFu);
        CopyWindowPixels(dc, cache, 0, 0);
        Canvas c(cache);
        const int lineWidth = ContentWidth();
        for (int i = first; i <= last && i < n; ++i) {
            const int r = i - first;
            const CRect line(0, r * h, lineWidth, (r + 1) * h);
            c.PushClip(line);
            DrawLine(c, i, line, i == hover_ || i == sel_);
            c.PopClip();
        }
        c.Flush();
    }
    const int from = offset - first * h;
    dc.DrawSurface(cache_, CRect(0, from, width, from + view), rect_.left, rect_.top, 255, true);
}

// ---- mouse ----

int MLineList::OnControlMouseMove(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    bool changed = false;
    {
        std::lock_guard lock(linesLock_);
        CPoint inLine(-1, -1);
        const int line = LineAtLocked(point, &inLine);
        changed = line != hover_;
        hover_ = line;
        changed = TrackLineDetail(line, inLine) || changed;
    }
    if (changed) {
        UpdateControl(1, 0);
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

void MLineList::OnLinePressed(int index, CPoint) {
    Select(index);
    SendMessageW(NOTIFY_DOWN, static_cast<unsigned>(index), 0);
}

bool MLineList::PointedLine(CPoint point, int& line, CPoint* inLine) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return false;
    }
    std::lock_guard lock(linesLock_);
    if (LineCountLocked() == 0) {
        return false;  // an empty list ignores the mouse
    }
    line = LineAtLocked(point, inLine);
    return true;
}

int MLineList::OnControlLButtonDown(unsigned, CPoint point) {
    int line = -1;
    CPoint inLine(-1, -1);
    if (!PointedLine(point, line, &inLine)) {
        return 0;
    }
    hover_ = line;
    OnLinePressed(line, inLine);
    return 1;
}

int MLineList::OnControlLButtonDblClk(unsigned, CPoint point) {
    int line = -1;
    if (!PointedLine(point, line)) {
        return 0;
    }
    Select(line);
    SendMessageW(NOTIFY_DBLCLK, static_cast<unsigned>(sel_), 0);
    return 1;
}

int MLineList::OnControlRButtonUp(unsigned, CPoint point) {
    int line = -1;
    if (!PointedLine(point, line)) {
        return 0;
    }
    // Below the last line: the selection goes and nothing is reported.
    Select(line);
    if (line >= 0) {
        SendMessageW(NOTIFY_RCLICK, static_cast<unsigned>(sel_), 0);
    }
    return 1;
}

int MLineList::OnControlScroll(int, unsigned dir, CPoint) {
    if (!enabled_ || GetVirtualSize().cy <= rect_.Height()) {
        return 0;
    }
    const CPoint before = GetScrollOffset();
    SetScrollOffset(0, before.y + (dir ? kWheelStep : -kWheelStep));
    return 1;
}

}  // namespace Tessera
