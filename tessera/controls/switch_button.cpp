#include "tessera/controls/switch_button.h"

#include <algorithm>

#include "tessera/controls/button_looks.h"
#include "tessera/core/dialog.h"
#include "tessera/core/image_cache.h"

namespace Tessera {

// ---------------------------------------------------------------- CSwitchButton

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {}

int CSwitchButton::SetImage(const std::wstring& onStrip, const std::wstring& offStrip, int frames) {
    on_ = LoadImageFromFile(SkinPath(onStrip));
    off_ = LoadImageFromFile(SkinPath(offStrip));
    frames_ = std::max(frames, 1);
    UpdateControl(1, 0);
    return 1;
}

void CSwitchButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, state_, [this](Canvas& cache, int look, const CRect& slice) {
        const Image* strip = check_ ? on_.get() : off_.get();
        if (strip == nullptr) {
            return;
        }
        const int fw = strip->Width() / frames_;
        const int fh = strip->Height();
        const int frame = std::min(look, frames_ - 1);
        const int top = slice.top + (slice.Height() - fh) / 2;
        cache.DrawImage(*strip, CRect(slice.left, top, slice.left + fw, top + fh),
                        CRect(frame * fw, 0, (frame + 1) * fw, fh));
    });
}

void CSwitchButton::SetState(int state) {
    if (state != state_) {
        state_ = state;
        UpdateControl(0, 0);
    }
}

void CSwitchButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    pressed_ = false;
    SetState(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

int CSwitchButton::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = rect_.PtInRect(point);
    if (enabled_ && !pressed_) {
        SetState(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
    }
    return inside ? 1 : 0;
}

int CSwitchButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    pressed_ = true;
    state_ = BUTTON_STATE_HOVER;
    UpdateControl(1, 0);
    return 1;
}

int CSwitchButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!rect_.PtInRect(point)) {
        SetState(BUTTON_STATE_NORMAL);
        return 1;
    }
    if (wasPressed) {
        check_ = check_ ? 0 : 1;
        // The strip changes with the check: the looks are drawn again.
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_CLICK, 0, check_);
    }
    return 1;
}

int CSwitchButton::SetCheck(int check) {
    check = check ? 1 : 0;
    state_ = enabled_ ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED;
    if (check != check_) {
        check_ = check;
        UpdateControl(1, 0);
    }
    return check_;
}

// ---------------------------------------------------------------- CHelpButton

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                         int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
    frameCount_ = 1;
}

void CHelpButton::DrawControl(Canvas& dc, CRect) {
    DrawImageStretched(dc, strip_, rect_);
}

int CHelpButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!enabled_ || title_.empty() || manager_ == nullptr) {
        return 0;
    }
    auto* dialog = dynamic_cast<MDialog*>(manager_->GetMDialog());
    if (dialog == nullptr) {
        return 0;
    }
    if (rect_.PtInRect(point)) {
        CPoint at(rect_.left, rect_.top + 25);
        dialog->ClientToScreen(at);
        dialog->SetAirBladderMsg(title_, at, AIRBLADDER_RIGHT);
        manager_->SetTooltipCtrlID(static_cast<int>(id_));
        return 1;
    }
    if (id_ == 0 || manager_->GetTooltipCtrlID() == static_cast<int>(id_)) {
        dialog->ClearTooltip();
        manager_->SetTooltipCtrlID(0);
    }
    return 0;
}

}  // namespace Tessera
