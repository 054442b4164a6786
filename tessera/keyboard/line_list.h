#pragma once

// MLineList: the common part of the owner-drawn, scrolling list controls of the macro
// page — lines of one height, hover and selection, the panel's vertical scroll bar (in
// pixels: the scroll position is the pixel offset of the content), and a cache of the
// visible lines. A derived list owns its items (under LinesLock()) and draws one line.

#include <memory>
#include <mutex>
#include <vector>

#include "tessera/core/panel.h"

namespace Tessera {

class MLineList : public MPanel {
public:
    static constexpr ARGB kLitFill = 0xFFFF3300;  // RGB(255,51,0)
    static constexpr ARGB kLitText = 0xFF050505;  // RGB(5,5,5)
    static constexpr ARGB kNormalText = 0xFFFF3300;
    // Pixels the content moves per wheel notch.
    static constexpr int kWheelStep = 10;

    MLineList(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int itemHeight);

    void SetItemHeight(int height);
    int GetItemHeight() const { return itemHeight_; }
    // -1 .. count-1 are accepted (1, repaint on change); other values return 0 and keep
    // the selection.
    int SetCurSel(int index);
    int GetCurSel() const { return sel_; }
    int GetHoverItem() const { return hover_; }
    int GetItemCount();
    // The line's rectangle in window coordinates as the content is scrolled now.
    CRect GetItemRect(int index);

    // ---- overrides ----
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
    int OnControlRButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int bar, unsigned dir, CPoint point) override;
    void SetControlRect(CRect rect) override;

protected:
    virtual int LineCountLocked() const = 0;
    // Draws line `index` into `line` (cache coordinates); `lit` = hovered or selected.
    virtual void DrawLine(Canvas& dc, int index, const CRect& line, bool lit) = 0;
    // Hover moved within line `index` (`inLine` relative to the line's top-left, -1 = off
    // every line); true when something the line shows changed.
    virtual bool TrackLineDetail(int, CPoint) { return false; }
    // A left press inside the control on line `index` (-1 none); the default selects the
    // line and reports NOTIFY_DOWN.
    virtual void OnLinePressed(int index, CPoint inLine);

    std::recursive_mutex& LinesLock() { return linesLock_; }
    // Call after adding or removing lines: scroll range and repaint.
    void LinesChanged();
    void ClearHoverAndSelection() { hover_ = sel_ = -1; }
    int ContentWidth() const;
    int LineAtLocked(CPoint point, CPoint* inLine = nullptr) const;
    // The line under a mouse event (-1 between or below lines); false when the list takes
    // no mouse there (disabled, outside, empty).
    bool PointedLine(CPoint point, int& line, CPoint* inLine = nullptr);
    void Select(int index);

    int hover_ = -1;
    int sel_ = -1;
    int itemHeight_;

private:
    std::recursive_mutex linesLock_;
};

// A line list owning one record per line.
template <class Item>
class MItemLineList : public MLineList {
public:
    using MLineList::MLineList;

    // Both clear hover and selection; 0 for an index out of range.
    int DeleteItem(int index) {
        {
            std::lock_guard lock(LinesLock());
            if (ItemLocked(index) == nullptr) {
                return 0;
            }
            items_.erase(items_.begin() + index);
            ForgetPointedLines();
        }
        LinesChanged();
        return 1;
    }
    int DeleteAllItems() {
        {
            std::lock_guard lock(LinesLock());
            items_.clear();
            ForgetPointedLines();
        }
        LinesChanged();
        return 1;
    }

protected:
    int LineCountLocked() const override { return static_cast<int>(items_.size()); }
    Item* ItemLocked(int index) {
        if (index < 0 || index >= static_cast<int>(items_.size())) {
            return nullptr;
        }
        return items_[static_cast<std::size_t>(index)].get();
    }
    // pos -1 or an empty list appends; pos below -1 or beyond the last index returns -1.
    // Otherwise returns the index of the last item.
    int InsertItem(int pos, std::unique_ptr<Item> item) {
        int last = -1;
        {
            std::lock_guard lock(LinesLock());
            const int count = static_cast<int>(items_.size());
            if (count > 0 && (pos < -1 || pos >= count)) {
                return -1;
            }
            if (pos == -1 || count == 0) {
                items_.push_back(std::move(item));
            } else {
                items_.insert(items_.begin() + pos, std::move(item));
            }
            last = static_cast<int>(items_.size()) - 1;
        }
        LinesChanged();
        return last;
    }
    std::vector<Item*> ItemPointers() {
        std::lock_guard lock(LinesLock());
        std::vector<Item*> pointers;
        pointers.reserve(items_.size());
        for (auto& item : items_) {
            pointers.push_back(item.get());
        }
        return pointers;
    }
    // Lines were removed: no index the list kept points anywhere now.
    virtual void ForgetPointedLines() { ClearHoverAndSelection(); }

    std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace Tessera
