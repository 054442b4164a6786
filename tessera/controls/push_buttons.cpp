#include "tessera/controls/push_buttons.h"

#include "tessera/controls/button_looks.h"
#include "tessera/core/dialog.h"

namespace Tessera {

void CImageButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    DrawImageCentred(cache, stateImages_[look & 3], slice);
}

int CImageButton::OnControlMouseMove(unsigned flags, CPoint point) {
    const int before = state_;
    const int inside = MButton::OnControlMouseMove(flags, point);
    if (enabled_) {
        SetCursorEx(inside || state_ == BUTTON_STATE_DOWN ? L"hand" : L"arrow");
    }
    if (state_ != before) {
        UpdateBalloon();
    }
    return inside;
}

int CImageButton::OnControlLButtonDown(unsigned flags, CPoint point) {
    const int handled = MButton::OnControlLButtonDown(flags, point);
    if (handled) {
        SetCursorEx(L"hand");
    }
    return handled;
}

void CImageButton::UpdateBalloon() {
    if (balloonMode_ == AIRBLADDER_MODE_NONE || title_.empty() || manager_ == nullptr) {
        return;
    }
    auto* dialog = dynamic_cast<MDialog*>(manager_->GetMDialog());
    if (dialog == nullptr) {
        return;
    }
    if (state_ != BUTTON_STATE_HOVER) {
        dialog->ClearTooltip();
        return;
    }
    CPoint at(balloonMode_ == AIRBLADDER_MODE_RIGHT ? rect_.right : rect_.left,
              rect_.top + rect_.Height() / 2);
    dialog->ClientToScreen(at);
    dialog->SetAirBladderMsg(
        title_, at, balloonMode_ == AIRBLADDER_MODE_RIGHT ? AIRBLADDER_LEFT : AIRBLADDER_RIGHT);
}

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                         int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
    SetTextColors(0xFFFFFFFF, 0xFF37FF45, 0xFF37FF45, 0xFF808080);
}

void CTextButton::SetTextButtonColor(ARGB normal, ARGB hover, ARGB down, ARGB disabled) {
    SetTextColors(normal, hover, down, disabled);
    UpdateControl(1, 0);
}

void CTextButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    DrawTitle(cache, slice, look, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void MButton2::DrawLook(Canvas& cache, int look, const CRect& slice) {
    constexpr int kImageBand = 90;
    constexpr int kCaptionBand = 30;
    DrawImageCentred(cache, stateImages_[look & 3],
                     CRect(slice.left, slice.top, slice.right, slice.top + kImageBand));
    const std::wstring title = GetControlTitle();
    if (title.empty()) {
        return;
    }
    static constexpr ARGB kCaption[4] = {0xFF166367, 0xFF166367, 0xFF38E3ED, 0xFF808080};
    cache.DrawText(title, CRect(slice.left, slice.bottom - kCaptionBand, slice.right, slice.bottom),
                   GetGDIFont(), kCaption[look & 3],
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

int MButton2::OnControlMouseMove(unsigned flags, CPoint point) {
    const int inside = MButton::OnControlMouseMove(flags, point);
    if (enabled_) {
        SetCursorEx(inside ? L"hand" : L"arrow");
    }
    return inside;
}

}  // namespace Tessera
