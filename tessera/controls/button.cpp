#include "tessera/controls/button.h"

#include "tessera/core/image_cache.h"
#include "tessera/core/render.h"

namespace Tessera {

MButton::MButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {}

void MButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    if (ImgResInfo* info = stateImages_[look]; info != nullptr && info->image) {
        MRender::DrawImageFrame(cache, *info->image, slice, 0, 0, info->image->Width(),
                                info->image->Height(), 12);
    }
    CRect text = slice;
    if (!textRect_.IsRectEmpty()) {
        text = textRect_;
        text.OffsetRect(slice.left, 0);
    }
    DrawTitle(cache, text, look, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void MButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, state_, [this](Canvas& cache, int look, const CRect& slice) {
        DrawLook(cache, look, slice);
    });
}

void MButton::SetState(int state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    UpdateControl(0, 0);
}

void MButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    state_ = enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED;
}

int MButton::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = rect_.PtInRect(point);
    if (enabled_ && state_ != BUTTON_STATE_DOWN) {
        SetState(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
    }
    return inside ? 1 : 0;
}

int MButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    SetState(BUTTON_STATE_DOWN);
    SendMessageW(NOTIFY_DOWN, 0, 0);
    return 1;
}

int MButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (!rect_.PtInRect(point)) {
        SetState(BUTTON_STATE_NORMAL);
        return 1;
    }
    const bool wasDown = state_ == BUTTON_STATE_DOWN;
    SetState(BUTTON_STATE_HOVER);
    if (wasDown) {
        OnClicked();
    }
    return 1;
}

void MButton::OnClicked() {
    SendMessageW(NOTIFY_CLICK, 0, 0);
}

int MButton::OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifier) {
    return MControlFont::OnControlKeyDown(vk, repeat, modifier);
}

int MButton::SetIconImage(const std::wstring& file, int frames) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return 0;
    }
    icon_ = std::move(image);
    iconFrames_ = frames > 0 ? frames : 1;
    return 1;
}

}  // namespace Tessera
