#include "tessera/controls/combo_box.h"

#include <algorithm>

#include "tessera/core/paint_manager.h"
#include "tessera/core/render.h"
#include "tessera/platform/platform.h"

namespace Tessera {

namespace {
constexpr ARGB kRowHighlight = 0xFF13646B;
constexpr ARGB kRowHighlightText = 0xFF38E3ED;
constexpr ARGB kRowText = 0xFF010406;
constexpr ARGB kDisabledText = 0xFF808080;
constexpr int kBarWidth = 5;
constexpr int kWheelLines = 2;
constexpr int kLineStep = 10;
}  // namespace

// ---------------------------------------------------------------- CComboBoxList

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int textLeft)
    : MPanel(parent, id, rect, L"", 1, 1), textLeft_(textLeft) {
    textColors_[0] = kRowText;
}

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : CComboBoxList(parent, id, rect, 14) {
    visible_ = visible;
    enabled_ = enabled;
}

CComboBoxList2::CComboBoxList2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : CComboBoxList(parent, id, rect, 3) {
    visible_ = visible;
    enabled_ = enabled;
}

void CComboBoxList::SetItems(std::vector<ComboItem> items) {
    {
        std::lock_guard lock(itemsLock_);
        items_ = std::move(items);
        hover_ = -1;
        pressed_ = -1;
    }
    UpdateVirtualHeight();
    UpdateControl(1, 0);
}

int CComboBoxList::GetItemCount() const {
    std::lock_guard lock(itemsLock_);
    return static_cast<int>(items_.size());
}

void CComboBoxList::UpdateVirtualHeight() {
    const int content = GetItemCount() * kComboRowHeight;
    SetVirtualSize(0, content > rect_.Height() ? content : 0);
}

void CComboBoxList::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    UpdateVirtualHeight();
}

int CComboBoxList::RowAt(CPoint point) const {
    if (!rect_.PtInRect(point)) {
        return -1;
    }
    const int row = (point.y - rect_.top + GetScrollOffset().y) / kComboRowHeight;
    return row < GetItemCount() ? row : -1;
}

void CComboBoxList::DrawControl(Canvas& dc, CRect) {
    const bool barShown = GetVScrollBar() != nullptr && GetVScrollBar()->IsVisible();
    const int right = rect_.right - (barShown ? kBarWidth : 0);
    const int offset = GetScrollOffset().y;
    dc.PushClip(rect_);
    std::lock_guard lock(itemsLock_);
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const int top = rect_.top + i * kComboRowHeight - offset;
        CRect row(rect_.left, top, right, top + kComboRowHeight);
        items_[static_cast<std::size_t>(i)].rect = row;
        if (row.bottom <= rect_.top || row.top >= rect_.bottom) {
            continue;
        }
        const bool lit = i == hover_ || i == pressed_;
        if (lit) {
            dc.FillRect(CRect(rect_.left + 2, row.top, right - 2, row.bottom), kRowHighlight);
        }
        dc.DrawText(items_[static_cast<std::size_t>(i)].text,
                    CRect(rect_.left + textLeft_, row.top, right, row.bottom), GetGDIFont(),
                    lit ? kRowHighlightText : textColors_[0],
                    AlignmentFormat() | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    dc.PopClip();
}

int CComboBoxList::OnControlMouseMove(unsigned, CPoint point) {
    const int row = RowAt(point);
    if (row != hover_) {
        hover_ = row;
        UpdateControl(1, 0);
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

int CComboBoxList::OnControlLButtonDown(unsigned, CPoint point) {
    if (!rect_.PtInRect(point)) {
        return 0;
    }
    // The row under the press itself: a press may come without a move before it.
    hover_ = RowAt(point);
    pressed_ = hover_;
    UpdateControl(1, 0);
    return 1;
}

int CComboBoxList::OnControlLButtonUp(unsigned, CPoint) {
    if (pressed_ < 0) {
        return 0;
    }
    const int row = pressed_;
    pressed_ = -1;
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(row), kComboChoiceTag);
    return 1;
}

int CComboBoxList::OnControlScroll(int, unsigned dir, CPoint) {
    if (GetItemCount() * kComboRowHeight <= rect_.Height()) {
        return 0;
    }
    const int step = kWheelLines * kLineStep;
    SetScrollOffset(0, GetScrollOffset().y + (dir == 1 ? step : -step));
    UpdateControl(1, 0);
    return 1;
}

// ---------------------------------------------------------------- CComboBoxWnd

void CComboBoxWnd::InitUI(CRect client) {
    SetLayeredWindow(1);
    EnableWndDrag(0);
    auto list = std::make_unique<CComboBoxList>(
        this, kComboListId, CRect(4, 6, client.Width() - 6, client.Height() - 6), textLeft_);
    list_ = static_cast<CComboBoxList*>(paintManager_.AddControl(1, std::move(list)));
}

long CComboBoxWnd::OnMessage(unsigned id, unsigned code, unsigned wParam, long) {
    if (id != kComboListId || code != NOTIFY_CLICK) {
        return 0;
    }
    SendMessageToParent(NOTIFY_CLICK, wParam, kComboChoiceTag);
    CloseWindow();
    return 1;
}

LRESULT CComboBoxWnd::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCACTIVATE && wParam == 0) {
        CloseWindow();
    } else if (msg == WM_DESTROY) {
        list_ = nullptr;
        SendMessageToParent(kComboDropDownGone, 0, 0);
    }
    return MPopupWnd::OnWindowMessage(msg, wParam, lParam);
}

// ---------------------------------------------------------------- MComboBox

namespace {
const MComboBox::Geometry& FirstKind() {
    static const MComboBox::Geometry geometry{25, 36, 12, 12, true, 14};
    return geometry;
}
const MComboBox::Geometry& SecondKind() {
    static const MComboBox::Geometry geometry{15, 35, 8, 9, false, 3};
    return geometry;
}
}  // namespace

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MComboBox(parent, id, rect, visible, enabled, FirstKind(), L"img_combobox_bkg.png") {}

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled,
                     const Geometry& geometry, std::wstring backImage)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      geometry_(geometry),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED),
      backImage_(std::move(backImage)) {}

MComboBox2::MComboBox2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MComboBox(parent, id, rect, visible, enabled, SecondKind(), L"") {}

MComboBox::~MComboBox() {
    if (dropDown_) {
        // The window going away must not call back into a combo being destroyed.
        dropDown_->SetParent(nullptr);
        dropDown_.reset();
    }
}

void MComboBox::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(
        dc, 4, open_ ? BUTTON_STATE_DOWN : state_,
        [this](Canvas& cache, int look, const CRect& slice) {
            if (const ImgResInfo* info = stateImages_[look & 3]; info != nullptr && info->image) {
                MRender::DrawImageFrame(cache, *info->image, slice, 0, 0, info->image->Width(),
                                        info->image->Height(), 12);
            }
            CRect text(slice.left + geometry_.textLeft, slice.top,
                       slice.right - geometry_.textRight, slice.bottom);
            if (!textRect_.IsRectEmpty()) {
                text = CRect(slice.left + textRect_.left, slice.top, slice.left + textRect_.right,
                             slice.bottom);
            }
            const std::wstring shown = GetControlTitle();
            if (!shown.empty()) {
                cache.DrawText(shown, text, GetGDIFont(),
                               look == BUTTON_STATE_DISABLED ? kDisabledText : textColors_[0],
                               AlignmentFormat() | DT_SINGLELINE | DT_END_ELLIPSIS);
            }
        });
}

void MComboBox::SetState(int state) {
    if (state != state_) {
        state_ = state;
        UpdateControl(0, 0);
    }
}

void MComboBox::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    SetState(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

int MComboBox::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = rect_.PtInRect(point);
    if (enabled_ && state_ != BUTTON_STATE_DOWN) {
        SetState(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
    }
    return inside ? 1 : 0;
}

int MComboBox::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    open_ = 0;
    SetState(BUTTON_STATE_DOWN);
    return 1;
}

int MComboBox::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const bool wasDown = state_ == BUTTON_STATE_DOWN;
    if (!rect_.PtInRect(point)) {
        SetState(BUTTON_STATE_NORMAL);
        return 1;
    }
    SetState(BUTTON_STATE_HOVER);
    if (wasDown) {
        OpenDropDown();
    }
    return 1;
}

CRect MComboBox::DropDownRect() const {
    CPoint anchor(rect_.left, rect_.bottom - 8);
    if (manager_ != nullptr && manager_->GetPaintWnd() != nullptr) {
        anchor = manager_->GetPaintWnd()->ClientToScreen(anchor);
    }
    const int rows = std::min(GetItemCount(), kComboMaxRows);
    const int listHeight = rows * kComboRowHeight;
    CRect drop(anchor.x + geometry_.dropLeft, anchor.y,
               anchor.x + rect_.Width() - geometry_.dropRight, anchor.y + listHeight + 12);
    if (geometry_.flips) {
        const CRect work = CurrentPlatform().GetWorkArea(drop);
        if (drop.bottom > work.bottom - 30) {
            drop.OffsetRect(0, -(rect_.Height() + listHeight - 3));
        }
    }
    return drop;
}

void MComboBox::OpenDropDown() {
    if (manager_ == nullptr || manager_->GetPaintWnd() == nullptr) {
        return;
    }
    if (dropDown_) {
        dropDown_->SetParent(nullptr);
        dropDown_.reset();
    }
    auto drop = std::make_unique<CComboBoxWnd>(geometry_.listTextLeft);
    drop->SetParent(this);
    drop->SetScrollResID(scrollV_ != 0 ? scrollV_ : manager_->GetScrollVID(),
                         scrollH_ != 0 ? scrollH_ : manager_->GetScrollHID());
    drop->GetPaintManager().SetBackColor(RGB(56, 227, 237), RGB(50, 50, 50));
    if (drop->Create(manager_->GetPaintWnd(), L"ComboWnd", WS_POPUP, WS_EX_TOOLWINDOW,
                     DropDownRect()) == nullptr) {
        return;
    }
    if ((!backImage_.empty() && drop->LoadBKImage(backImage_)) ||
        (backRes_ != 0 && drop->LoadBKImage(backRes_, backResType_))) {
        drop->SetBackMode(BACKMODE_FRAME, 6);
    }
    if (CComboBoxList* list = drop->GetList()) {
        std::vector<ComboItem> copy;
        {
            std::lock_guard lock(itemsLock_);
            copy = items_;
        }
        list->SetFont(face_, fontSize_, fontStyle_);
        list->SetItems(std::move(copy));
    }
    dropDown_ = std::move(drop);
    dropDown_->ShowWindow(SW_SHOW);
    open_ = 1;
    UpdateControl(0, 0);
}

void MComboBox::DropDownGone() {
    open_ = 0;
    UpdateControl(0, 0);
}

long MComboBox::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (code == NOTIFY_CLICK && lParam == kComboChoiceTag && id != 9) {
        const int index = static_cast<int>(wParam);
        SetCurSel(index);
        SendMessageW(NOTIFY_CLICK, wParam, 0);
        open_ = 0;
        UpdateControl(0, 0);
        return 1;
    }
    if (code == kComboDropDownGone) {
        DropDownGone();
        return 1;
    }
    return 0;
}

int MComboBox::AddItem(const std::wstring& text, long data, const std::wstring& icon, ARGB color) {
    std::lock_guard lock(itemsLock_);
    items_.push_back({text, icon, color, data, {}});
    return static_cast<int>(items_.size()) - 1;
}

int MComboBox::InsertItem(int index, const std::wstring& text, long data, const std::wstring& icon,
                          ARGB color) {
    std::lock_guard lock(itemsLock_);
    const int count = static_cast<int>(items_.size());
    if (index == -1) {
        items_.push_back({text, icon, color, data, {}});
    } else if (index >= 0 && index < count) {
        items_.insert(items_.begin() + index, {text, icon, color, data, {}});
    } else {
        return -1;
    }
    return static_cast<int>(items_.size()) - 1;
}

int MComboBox::GetItemCount() const {
    std::lock_guard lock(itemsLock_);
    return static_cast<int>(items_.size());
}

int MComboBox::SetItemData(int index, long data) {
    std::lock_guard lock(itemsLock_);
    if (!ValidIndex(index)) {
        return 0;
    }
    items_[static_cast<std::size_t>(index)].data = data;
    return 1;
}

long MComboBox::GetItemData(int index) const {
    std::lock_guard lock(itemsLock_);
    return ValidIndex(index) ? items_[static_cast<std::size_t>(index)].data : 0;
}

int MComboBox::SetItemText(int index, const std::wstring& text) {
    {
        std::lock_guard lock(itemsLock_);
        if (!ValidIndex(index)) {
            return 0;
        }
        items_[static_cast<std::size_t>(index)].text = text;
    }
    if (index == curSel_) {
        title_ = text;
    }
    UpdateControl(1, 0);
    return 1;
}

std::wstring MComboBox::GetItemText(int index) const {
    std::lock_guard lock(itemsLock_);
    return ValidIndex(index) ? items_[static_cast<std::size_t>(index)].text : std::wstring();
}

int MComboBox::SetCurSel(int index) {
    if (index == -1) {
        curSel_ = -1;
        title_.clear();
    } else if (ValidIndex(index)) {
        curSel_ = index;
        title_ = GetItemText(index);
    } else {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

long MComboBox::GetCurData() const {
    return curSel_ >= 0 ? GetItemData(curSel_) : 0;
}

int MComboBox::FindData(long data) const {
    std::lock_guard lock(itemsLock_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].data == data) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MComboBox::SelectData(long data) {
    const int index = FindData(data);
    if (index < 0) {
        return 0;
    }
    SetCurSel(index);
    return 1;
}

int MComboBox::DeleteItem(int index) {
    std::lock_guard lock(itemsLock_);
    if (!ValidIndex(index)) {
        return 0;
    }
    // The selection index and the shown text stay as they are; the owner re-selects.
    items_.erase(items_.begin() + index);
    return 1;
}

int MComboBox::DelAllItems() {
    {
        std::lock_guard lock(itemsLock_);
        items_.clear();
    }
    curSel_ = -1;
    title_.clear();
    UpdateControl(1, 0);
    return 1;
}

void MComboBox::SetBackImage(const std::wstring& file) {
    backImage_ = file;
}

void MComboBox::SetBackImage(unsigned resId, const std::wstring& type) {
    backImage_.clear();
    backRes_ = resId;
    backResType_ = type;
}

int MComboBox::SetDropImage(int state, const std::wstring& file) {
    ImgResInfo* info = manager_ != nullptr ? manager_->AddImgResInfo(file, 1) : nullptr;
    if (info == nullptr) {
        return 0;
    }
    dropImages_[state] = info;
    return 1;
}

void MComboBox::SetShowModeMID(int left, int top, int right, int bottom) {
    margins_[0] = left;
    margins_[1] = top;
    margins_[2] = right;
    margins_[3] = bottom;
}

}  // namespace Tessera
