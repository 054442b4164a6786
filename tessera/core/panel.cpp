#include "tessera/core/panel.h"

#include <algorithm>

#include "tessera/core/control_registry.h"

namespace Tessera {

namespace {
constexpr int kBarThickness = 5;
}

MPanel::MPanel(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
               int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
    vbar_ = static_cast<MScrollBar*>(
        AddChild(1, std::make_unique<MScrollBar>(this, 1, CRect(), 0, true)));
    hbar_ = static_cast<MScrollBar*>(
        AddChild(1, std::make_unique<MScrollBar>(this, 2, CRect(), 0, false)));
    LayoutScrollBars();
}

MControl* MPanel::CreateArea(const std::wstring& className, unsigned id, CRect rect,
                             const std::wstring& title, int visible, int enabled) {
    return CreateControl(0, this, className, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateControl(unsigned layer, MObject* parent, const std::wstring& className,
                                unsigned id, CRect rect, const std::wstring& title, int visible,
                                int enabled) {
    auto control = CreateControlByClassName(className, ControlHost::kPanel, parent, id, rect, title,
                                            visible, enabled);
    if (!control) {
        return nullptr;
    }
    MControl* raw = AddChild(layer, std::move(control));
    if (raw != nullptr && parent != nullptr) {
        raw->SetParent(parent);
    }
    return raw;
}

MControl* MPanel::CreateControl(const std::wstring& className, unsigned id, CRect rect,
                                const std::wstring& title, int visible, int enabled) {
    return CreateControl(1, this, className, id, rect, title, visible, enabled);
}

void MPanel::SetVirtualSize(int cx, int cy) {
    virtualSize_ = {std::max(cx, 0), std::max(cy, 0)};
    LayoutScrollBars();
    SetScrollOffset(scroll_.x, scroll_.y);
}

void MPanel::EnableScroll(int enable) {
    enableScroll_ = enable;
    LayoutScrollBars();
}

void MPanel::SetScrollOffset(int x, int y) {
    const int maxX = virtualSize_.cx > 0 ? std::max(virtualSize_.cx - rect_.Width(), 0) : 0;
    const int maxY = virtualSize_.cy > 0 ? std::max(virtualSize_.cy - rect_.Height(), 0) : 0;
    const CPoint next(std::clamp(x, 0, maxX), std::clamp(y, 0, maxY));
    if (next == scroll_) {
        return;
    }
    scroll_ = next;
    vbar_->SetScrollPos(scroll_.y, false);
    hbar_->SetScrollPos(scroll_.x, false);
    // Every child moved against the background: all snapshots are stale.
    {
        std::lock_guard lock(ControlsLock());
        for (auto& child : controls_) {
            child->SetUpdate(0);
        }
        for (auto& child : areas_) {
            child->SetUpdate(0);
        }
    }
    UpdateControl(1, 0);
}

void MPanel::LayoutScrollBars() {
    const int rangeY = virtualSize_.cy > 0 ? std::max(virtualSize_.cy - rect_.Height(), 0) : 0;
    const int rangeX = virtualSize_.cx > 0 ? std::max(virtualSize_.cx - rect_.Width(), 0) : 0;
    vbar_->SetControlRect(CRect(rect_.right - kBarThickness, rect_.top, rect_.right, rect_.bottom));
    hbar_->SetControlRect(
        CRect(rect_.left, rect_.bottom - kBarThickness, rect_.right, rect_.bottom));
    vbar_->SetScrollRange(rangeY, rect_.Height());
    hbar_->SetScrollRange(rangeX, rect_.Width());
    vbar_->SetControlVisible(enableScroll_ && rangeY > 0);
    hbar_->SetControlVisible(enableScroll_ && rangeX > 0);
}

void MPanel::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    if (vbar_ != nullptr) {
        LayoutScrollBars();
    }
}

void MPanel::DrawControl(Canvas& dc, CRect) {
    if ((backColor_ >> 24) != 0) {
        dc.FillRect(rect_, backColor_);
    }
}

int MPanel::DrawSubControls(Canvas& dc, CRect clip) {
    const CRect visible = CRect::Intersect(clip, rect_);
    if (visible.IsRectEmpty()) {
        return 1;
    }
    std::lock_guard lock(ControlsLock());
    dc.PushClip(visible);
    dc.Translate(-scroll_.x, -scroll_.y);
    CRect content = visible;
    content.OffsetRect(scroll_.x, scroll_.y);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        MControl* child = controls_[i].get();
        if (!IsOwnBar(child) && child->IsVisible()) {
            child->Draw(dc, content);
        }
    }
    dc.Translate(scroll_.x, scroll_.y);
    for (MScrollBar* bar : {vbar_, hbar_}) {
        if (bar->IsVisible()) {
            bar->Draw(dc, visible);
        }
    }
    dc.PopClip();
    return 1;
}

int MPanel::OnMousePointChange(CPoint& point) {
    point.x += scroll_.x;
    point.y += scroll_.y;
    return 1;
}

int MPanel::OnControlScroll(int, unsigned dir, CPoint) {
    if (!enableScroll_ || vbar_->GetScrollRange() <= 0) {
        return 0;
    }
    SetScrollOffset(scroll_.x, scroll_.y + (dir ? 30 : -30));
    return 1;
}

long MPanel::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    // The panel's own bars move the content; their ids (1 and 2) are the panel's
    // business and do not reach the owner, where they could clash with program ids.
    if (code == NOTIFY_SCROLL && (id == 1 || id == 2)) {
        if (id == 1) {
            SetScrollOffset(scroll_.x, static_cast<int>(wParam));
        } else {
            SetScrollOffset(static_cast<int>(wParam), scroll_.y);
        }
        return 1;
    }
    return parent_ != nullptr ? parent_->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long MPanel::OnControlUpdate(CRect rect, int invalidate, MControl* control) {
    if (control == nullptr) {
        return 0;
    }
    if (invalidate == 1) {
        control->SetUpdate(0);
    }
    CRect dirty = rect;
    bool met = false;
    {
        std::lock_guard lock(ControlsLock());
        for (auto& c : controls_) {
            if (met && c->IsVisible() && !IsOwnBar(c.get()) && c->GetRect().Intersects(rect)) {
                c->SetUpdate(0);
                dirty = CRect::Union(dirty, c->GetRect());
            }
            if (c.get() == control) {
                met = true;
            }
        }
    }
    if (!IsOwnBar(control)) {
        dirty.OffsetRect(-scroll_.x, -scroll_.y);
    }
    dirty = CRect::Intersect(dirty, rect_);
    if (dirty.IsRectEmpty() || !visible_ || parent_ == nullptr) {
        return 0;
    }
    return parent_->OnControlUpdate(dirty, 0, this);
}

}  // namespace Tessera
