#include "tessera/controls/menu_item.h"

namespace Tessera {

MenuItem::MenuItem(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                   int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
    textColors_[0] = 0xFF010406;
    textColors_[1] = 0xFF38E3ED;
    textColors_[2] = 0xFF38E3ED;
    textColors_[3] = 0xFF808080;
}

void MenuItem::DrawControl(Canvas& dc, CRect clip) {
    if (!separator_) {
        MButton::DrawControl(dc, clip);
        return;
    }
    const int y = (rect_.top + rect_.bottom) / 2;
    if (strip_ != nullptr && strip_->image) {
        dc.DrawImage(*strip_->image, CRect(rect_.left, y, rect_.right, y + 1),
                     CRect(0, 0, strip_->image->Width(), 1));
    } else {
        dc.FillRect(rect_, 0xFF136469);
    }
}

void MenuItem::DrawLook(Canvas& cache, int look, const CRect& slice) {
    if (look == BUTTON_STATE_HOVER || look == BUTTON_STATE_DOWN) {
        if (ImgResInfo* bk = stateImages_[1]; bk != nullptr && bk->image) {
            cache.DrawImage(*bk->image, slice,
                            CRect(0, 0, bk->image->Width(), bk->image->Height()));
        } else {
            cache.FillRect(slice, hoverColor_);
        }
    }
    // The icon column is 30 pixels wide; a check mark shows there for checked items.
    if (checkable_ && check_) {
        const int cy = slice.top + slice.Height() / 2;
        const CPoint a(slice.left + 9, cy), b(slice.left + 13, cy + 4), c(slice.left + 21, cy - 5);
        cache.DrawLine(a, b, textColors_[look], 2);
        cache.DrawLine(b, c, textColors_[look], 2);
    }
    CRect text = slice;
    text.left += 30;
    DrawTitle(cache, text, look, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void MenuItem::SetCheck(int check) {
    if (check != check_) {
        check_ = check;
        UpdateControl(1, 0);
    }
}

int MenuItem::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || separator_ || !rect_.PtInRect(point)) {
        return 0;
    }
    SetState(BUTTON_STATE_DOWN);
    if (checkable_) {
        SendMessageW(NOTIFY_CHECK, static_cast<unsigned>(check_), 1);
    }
    return 1;
}

int MenuItem::OnControlLButtonUp(unsigned flags, CPoint point) {
    return separator_ ? 0 : MButton::OnControlLButtonUp(flags, point);
}

void MenuItem::OnClicked() {
    if (checkable_) {
        SetCheck(group_.empty() ? !check_ : 1);
    } else {
        MButton::OnClicked();
    }
}

}  // namespace Tessera
