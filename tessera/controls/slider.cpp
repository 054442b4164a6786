#include "tessera/controls/slider.h"

#include <algorithm>

#include "tessera/core/paint_manager.h"

namespace Tessera {

namespace {
constexpr int kTrackInset = 8;
constexpr int kFillExtra = 10;
}  // namespace

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {
    textColors_[0] = 0xFF050505;
    PlaceThumb();
}

void MSlider::InitControl(PaintManager* manager) {
    MControlFont::InitControl(manager);
    PlaceThumb();
}

CSize MSlider::ThumbSize() const {
    CSize size = thumbSize_;
    if ((size.cx == 0 || size.cy == 0) && stateImages_[0] != nullptr && stateImages_[0]->image) {
        size = CSize(stateImages_[0]->image->Width(), stateImages_[0]->image->Height());
    }
    return size;
}

void MSlider::SetThumbSize(CSize size) {
    thumbSize_ = size;
    PlaceThumb();
    UpdateControl(1, 0);
}

void MSlider::PlaceThumb() {
    // One placement rule for layout and mouse alike, so the thumb never jumps when the
    // control is laid out again; an empty range keeps it at the left instead of dividing
    // by zero.
    const CSize size = ThumbSize();
    const int width = rect_.Width();
    int x = 0;
    if (Range() > 0) {
        const long long centre = static_cast<long long>(position_) * width / Range();
        x = static_cast<int>(centre) - size.cx / 2;
    }
    x = std::clamp(x, 0, std::max(width - size.cx, 0));
    thumb_ = CRect(rect_.left + x, rect_.top, rect_.left + x + size.cx, rect_.top + size.cy);
}

void MSlider::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    PlaceThumb();
}

void MSlider::SetState(int state) {
    if (state != state_) {
        state_ = state;
        UpdateControl(0, 0);
    }
}

void MSlider::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    pressed_ = false;
    SetState(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

void MSlider::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, state_, [this](Canvas& cache, int look, const CRect& slice) {
        const int h = slice.Height();
        const int thumbX = thumb_.left - rect_.left;
        auto band = [&](const ImgResInfo* info, int left, int right) {
            if (info == nullptr || !info->image || right <= left) {
                return;
            }
            const int ih = info->image->Height();
            const int top = slice.top + (h - ih) / 2;
            cache.DrawImage(*info->image,
                            CRect(slice.left + left, top, slice.left + right, top + ih),
                            CRect(0, 0, info->image->Width(), ih));
        };
        band(track_, kTrackInset, slice.Width() - kTrackInset);
        band(fill_, kTrackInset, kTrackInset + thumbX + kFillExtra);
        if (const ImgResInfo* thumb = stateImages_[look & 3]; thumb != nullptr && thumb->image) {
            const int w = thumb->image->Width();
            const int ih = thumb->image->Height();
            const int top = slice.top + (h - ih) / 2;
            cache.DrawImage(*thumb->image,
                            CRect(slice.left + thumbX, top, slice.left + thumbX + w, top + ih),
                            CRect(0, 0, w, ih));
        }
    });
}

int MSlider::SetBackGroundImage(const std::wstring& file) {
    ImgResInfo* info = manager_ != nullptr ? manager_->AddImgResInfo(file, 1) : nullptr;
    if (info == nullptr) {
        return 0;
    }
    track_ = info;
    UpdateControl(1, 0);
    return 1;
}

int MSlider::SetForeGroundImage(const std::wstring& file) {
    ImgResInfo* info = manager_ != nullptr ? manager_->AddImgResInfo(file, 1) : nullptr;
    if (info == nullptr) {
        return 0;
    }
    fill_ = info;
    UpdateControl(1, 0);
    return 1;
}

int MSlider::SetProgress(int value) {
    value = std::min(value, max_);
    if (value < 0 || value == GetProgress()) {
        return position_;
    }
    position_ = std::clamp(value - min_, 0, std::max(Range(), 0));
    PlaceThumb();
    UpdateControl(1, 0);
    return position_;
}

void MSlider::SetMaxProgress(int maximum) {
    max_ = maximum;
    position_ = std::clamp(position_, 0, std::max(Range(), 0));
    PlaceThumb();
    UpdateControl(1, 0);
}

void MSlider::SetMinProgress(int minimum) {
    min_ = minimum;
    position_ = std::clamp(position_, 0, std::max(Range(), 0));
    PlaceThumb();
    UpdateControl(1, 0);
}

int MSlider::MoveThumbPos(CPoint point) {
    const int width = rect_.Width();
    int position = 0;
    if (Range() > 0 && width > 0) {
        position = static_cast<int>(static_cast<long long>(point.x - rect_.left) * Range() / width);
        position = std::clamp(position, 0, Range());
    }
    if (position != position_) {
        position_ = position;
        PlaceThumb();
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_SCROLL, static_cast<unsigned>(GetProgress()), 0);
    }
    return position_;
}

int MSlider::OnControlMouseMove(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (state_ == BUTTON_STATE_DOWN) {
        MoveThumbPos(point);
        return 1;
    }
    if (!pressed_) {
        SetState(thumb_.PtInRect(point) ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
    }
    return rect_.PtInRect(point) ? 1 : 0;
}

int MSlider::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    pressed_ = true;
    if (thumb_.PtInRect(point)) {
        SetState(BUTTON_STATE_DOWN);
    }
    MoveThumbPos(point);
    return 1;
}

int MSlider::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_ || (!pressed_ && !rect_.PtInRect(point))) {
        return 0;
    }
    pressed_ = false;
    SetState(thumb_.PtInRect(point) ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
    SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
}

int MSlider::OnControlScroll(int, unsigned dir, CPoint) {
    if (!enabled_) {
        return 0;
    }
    const int position = std::clamp(position_ + (dir == 1 ? -1 : 1), 0, std::max(Range(), 0));
    if (position != position_) {
        position_ = position;
        PlaceThumb();
        UpdateControl(1, 0);
        // Reported like a drag and its release, so the owner stores and sends the value
        // the slider now shows.
        SendMessageW(NOTIFY_SCROLL, static_cast<unsigned>(GetProgress()), 0);
        SendMessageW(NOTIFY_CLICK, 0, 0);
    }
    return 1;
}

}  // namespace Tessera
