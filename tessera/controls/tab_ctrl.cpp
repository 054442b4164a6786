#include "tessera/controls/tab_ctrl.h"

namespace Tessera {

namespace {
constexpr ARGB kBarColor = 0xFFFF3300;
constexpr ARGB kTabText = 0xFFFFFFFF;
constexpr ARGB kActiveTabText = 0xFF191919;
constexpr int kSlots = 5;
constexpr int kSeparatorTop = 5;
}  // namespace

CTabCtrlEx::CTabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

CRect CTabCtrlEx::ItemRect(int index) const {
    const int w = rect_.Width() / kSlots;
    return {rect_.left + index * w, rect_.top, rect_.left + (index + 1) * w, rect_.bottom};
}

int CTabCtrlEx::GetItemCount() const {
    std::lock_guard lock(itemsLock_);
    return static_cast<int>(items_.size());
}

int CTabCtrlEx::ItemAt(CPoint point) const {
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        if (ItemRect(i).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

void CTabCtrlEx::DrawControl(Canvas& dc, CRect) {
    dc.FillRect(rect_, kBarColor);
    std::lock_guard lock(itemsLock_);
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const CRect item = ItemRect(i);
        if (i > 0 && strip_ != nullptr && strip_->image) {
            dc.DrawImage(*strip_->image,
                         CRect(item.left, item.top + kSeparatorTop, item.left + strip_->width,
                               item.top + kSeparatorTop + strip_->height),
                         CRect(0, 0, strip_->width, strip_->height));
        }
        const bool active = i == selected_ || i == hover_;
        dc.DrawText(items_[static_cast<std::size_t>(i)].text, item, GetGDIFont(),
                    active ? kActiveTabText : kTabText,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

int CTabCtrlEx::OnControlMouseMove(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const int item = ItemAt(point);
    SetCursorEx(item >= 0 ? L"hand" : L"arrow");
    if (item != hover_) {
        hover_ = item;
        UpdateControl(1, 0);
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

int CTabCtrlEx::OnControlLButtonDown(unsigned, CPoint point) {
    return enabled_ && rect_.PtInRect(point) ? 1 : 0;
}

int CTabCtrlEx::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    const int item = ItemAt(point);
    if (item < 0) {
        return 1;
    }
    SetSelectItem(item);
    // Reported also when the tab was already selected: the owner shows its page again.
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(item), 0);
    return 1;
}

int CTabCtrlEx::AddItem(const std::wstring& text, int id) {
    std::lock_guard lock(itemsLock_);
    items_.push_back({text, id});
    UpdateControl(1, 0);
    return static_cast<int>(items_.size()) - 1;
}

void CTabCtrlEx::SetItemText(int index, const std::wstring& text) {
    std::lock_guard lock(itemsLock_);
    if (index >= 0 && index < static_cast<int>(items_.size())) {
        items_[static_cast<std::size_t>(index)].text = text;
    }
}

void CTabCtrlEx::ClearList() {
    {
        std::lock_guard lock(itemsLock_);
        items_.clear();
    }
    hover_ = -1;
    selected_ = -1;
    UpdateControl(1, 0);
}

void CTabCtrlEx::SetSelectItem(int index) {
    if (index != selected_) {
        selected_ = index;
        UpdateControl(1, 0);
    }
}

int CTabCtrlEx::GetItemID(int index) const {
    std::lock_guard lock(itemsLock_);
    return index >= 0 && index < static_cast<int>(items_.size())
               ? items_[static_cast<std::size_t>(index)].id
               : 0;
}

}  // namespace Tessera
