#include "tessera/controls/color_button.h"

#include "tessera/controls/button_looks.h"
#include "tessera/controls/check_buttons.h"

namespace Tessera {

void CColorButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, GetLook(), [this](Canvas& cache, int look, const CRect& slice) {
        DrawLook(cache, look, slice);
    });
}

void CColorButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    if (strip_ != nullptr && strip_->image) {
        DrawImageStretched(cache, strip_, slice);
    } else {
        cache.FillRect(slice, OpaqueFromColorref(color_));
    }
    if (look == BUTTON_STATE_NORMAL) {
        return;
    }
    CRect outline = slice;
    outline.DeflateRect(1, 1);
    cache.DrawRect(outline, look == BUTTON_STATE_DISABLED ? 0xFF808080 : 0xFFF5F5F5, 2);
}

void CColorButton::SetColor(COLORREF color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    UpdateControl(1, 0);
}

int CColorButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    state_ = BUTTON_STATE_DOWN;
    check_ = 1;
    ResetGroupCheck();
    UpdateControl(0, 0);
    SendMessageW(NOTIFY_DOWN, 0, 0);
    return 1;
}

int CColorButton::SetCheck(int check) {
    if (!enabled_) {
        return check_;
    }
    check = check ? 1 : 0;
    if (check != check_) {
        check_ = check;
        if (check_) {
            ResetGroupCheck();
        }
        UpdateControl(0, 0);
    }
    return check_;
}

void CColorButton::SetControlCheck(int check) {
    check_ = check ? 1 : 0;
    UpdateControl(0, 0);
}

int CColorButton::ResetGroupCheck() {
    // Only inside a parent control: a colour button placed on a dialog has no group, and a
    // hidden or disabled swatch keeps its check.
    if (dynamic_cast<MControl*>(parent_) == nullptr) {
        return 0;
    }
    return ForEachGroupSibling(*this, false, [this](MControl& sibling) {
        auto* other = dynamic_cast<CColorButton*>(&sibling);
        if (other != nullptr && other->group_ == group_ && other->IsVisible() &&
            other->IsEnabled()) {
            other->SetControlCheck(0);
        }
    });
}

}  // namespace Tessera
