#include "tessera/core/control.h"

#include <algorithm>

#include "tessera/core/paint_manager.h"

namespace Tessera {

MControl::MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int response)
    : parent_(parent),
      id_(id),
      rect_(rect),
      visible_(visible),
      enabled_(enabled),
      response_(response) {}

MControl::~MControl() {
    // Children go first, while this control is still whole.
    RemoveAllControl();
    if (manager_ != nullptr) {
        manager_->ForgetControl(this);
    }
}

void MControl::InitControl(PaintManager*) {}

std::recursive_mutex& MControl::ControlsLock() {
    return manager_ != nullptr ? manager_->TreeLock() : ownLock_;
}

int MControl::PtInRect(CPoint point) {
    return visible_ && rect_.PtInRect(point) ? 1 : 0;
}

int MControl::DrawSubControls(Canvas& dc, CRect clip) {
    std::lock_guard lock(ControlsLock());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->IsVisible()) {
            controls_[i]->Draw(dc, clip);
        }
    }
    return 1;
}

void MControl::SetUpdate(int update, unsigned long color) {
    update_ = update;
    auto forward = [&](ControlList& list, std::recursive_mutex& mutex) {
        std::lock_guard lock(mutex);
        for (auto& child : list) {
            if (child->GetRect().Intersects(rect_)) {
                child->SetUpdate(update, color);
            }
        }
    };
    forward(areas_, ControlsLock());
    forward(controls_, ControlsLock());
}

int MControl::SetControlFocus(int focus) {
    focused_ = focus;
    if (!focus) {
        std::lock_guard lock(ControlsLock());
        for (auto& child : controls_) {
            if (child->IsFocused()) {
                child->SetControlFocus(0);
            }
        }
    }
    return 0;
}

int MControl::OnControlSetCursor(unsigned, CPoint point) {
    if (cursor_ == CursorKind::kDefault || !rect_.PtInRect(point) || manager_ == nullptr ||
        manager_->GetPaintWnd() == nullptr) {
        return 0;
    }
    manager_->SetCursor(cursor_);
    return 1;
}

int MControl::OnControlKeyDown(unsigned vk, unsigned, unsigned modifier) {
    return hotKey_ != 0 && static_cast<unsigned>(hotKey_) == vk &&
                   static_cast<unsigned>(hotKeyModifier_) == modifier
               ? 1
               : 0;
}

void MControl::InvalidateRect(const CRect* rect, int) {
    if (manager_ == nullptr) {
        return;
    }
    if (manager_->IsLayered()) {
        manager_->Invalidate();
    } else {
        manager_->InvalidateRect(rect != nullptr ? *rect : rect_);
    }
}

void MControl::SetRect(CRect rect) {
    const CRect old = rect_;
    SetControlRect(rect);
    if (visible_ && parent_ != nullptr) {
        parent_->OnControlUpdate(CRect::Union(old, rect_), 1, this);
    }
}

void MControl::SetManager(PaintManager* manager) {
    manager_ = manager;
    auto pass = [&](ControlList& list, std::recursive_mutex& mutex) {
        std::lock_guard lock(mutex);
        for (auto& child : list) {
            if (child->GetManager() != manager) {
                child->SetManager(manager);
            }
        }
    };
    pass(areas_, ControlsLock());
    pass(controls_, ControlsLock());
    InitControl(manager);
}

void MControl::SetVisible(int visible) {
    SetVisible(visible, 1);
}

void MControl::SetVisible(int visible, int repaint) {
    if ((visible != 0) == (visible_ != 0)) {
        return;
    }
    SetControlVisible(visible);
    if (!visible && manager_ != nullptr) {
        // A hidden control keeps no mouse or focus (its timers stay).
        manager_->ReleaseInput(this);
    }
    if (repaint && parent_ != nullptr) {
        parent_->OnControlUpdate(rect_, 1, this);
    }
}

void MControl::SetEnabled(int enabled) {
    if ((enabled != 0) == (enabled_ != 0)) {
        return;
    }
    SetControlEnabled(enabled);
    if (visible_ && parent_ != nullptr) {
        parent_->OnControlUpdate(rect_, 1, this);
    }
}

int MControl::IsParentVisible() const {
    if (parent_ == nullptr) {
        return 0;
    }
    if (parent_->IsClass(L"MDialog")) {
        return 1;
    }
    auto* parentControl = dynamic_cast<const MControl*>(parent_);
    if (parentControl == nullptr) {
        // Another kind of owner (a popup or menu window) shows its controls.
        return 1;
    }
    return parentControl->IsVisible() && parentControl->IsParentVisible() ? 1 : 0;
}

int MControl::IsFocusControl() const {
    return manager_ != nullptr && manager_->GetFocusControl() == this ? 1 : 0;
}

void MControl::UpdateControl(int invalidate, int force) {
    if ((visible_ || force) && parent_ != nullptr) {
        parent_->OnControlUpdate(rect_, invalidate, this);
    }
}

void MControl::UpdateControl(CRect rect, int force, int invalidate) {
    if ((visible_ || force) && parent_ != nullptr) {
        parent_->OnControlUpdate(rect, invalidate, this);
    }
}

void MControl::UpdateAControl(int keep, int force) {
    animate_ = keep ? 0 : 1;
    UpdateControl(0, force);
}

void MControl::SetTooltip(const std::wstring& text, CRect rect) {
    if (manager_ == nullptr) {
        return;
    }
    manager_->SetTooltip(text, rect);
    manager_->SetTooltipCtrlID(static_cast<int>(id_));
}

void MControl::ClearTooltip() {
    if (manager_ == nullptr) {
        return;
    }
    manager_->ClearTooltip();
    manager_->SetTooltipCtrlID(0);
}

long MControl::SetCursorEx(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        CursorKind cursor;
    } kCursors[] = {{L"arrow", CursorKind::kArrow},   {L"wait", CursorKind::kWait},
                    {L"cross", CursorKind::kCross},   {L"sizewe", CursorKind::kSizeWE},
                    {L"sizens", CursorKind::kSizeNS}, {L"hand", CursorKind::kHand},
                    {L"help", CursorKind::kHelp}};
    for (const auto& entry : kCursors) {
        if (name == entry.name) {
            cursor_ = entry.cursor;
            break;
        }
    }
    return 0;
}

MControl* MControl::AddChild(unsigned layer, std::unique_ptr<MControl> child) {
    if (!child || layer > 1) {
        return nullptr;
    }
    MControl* raw = child.get();
    raw->SetParent(this);
    if (layer == 0) {
        std::lock_guard lock(ControlsLock());
        areas_.push_back(std::move(child));
    } else {
        std::lock_guard lock(ControlsLock());
        controls_.push_back(std::move(child));
    }
    if (manager_ != nullptr) {
        raw->SetManager(manager_);
    }
    return raw;
}

MControl* MControl::FindInList(const ControlList& list, std::recursive_mutex& mutex, unsigned id) {
    std::lock_guard lock(mutex);
    for (const auto& child : list) {
        if (child->GetControlID() == id) {
            return child.get();
        }
        if (MControl* found = child->GetControl(id)) {
            return found;
        }
    }
    return nullptr;
}

MControl* MControl::GetControl(unsigned id) {
    if (MControl* found = FindInList(controls_, ControlsLock(), id)) {
        return found;
    }
    return FindInList(areas_, ControlsLock(), id);
}

void MControl::RemoveControl(MControl* control) {
    if (control == nullptr) {
        return;
    }
    if (manager_ != nullptr && manager_->GetFocusControl() == control) {
        control->SetControlFocus(0);
        manager_->SetFocusControl(nullptr);
    }
    std::unique_ptr<MControl> doomed = DetachFromList(controls_, ControlsLock(), control);
    if (!doomed) {
        return;
    }
    ForgetDescendant(control);
    doomed.reset();
}

std::unique_ptr<MControl> MControl::DetachFromList(ControlList& list, std::recursive_mutex& mutex,
                                                   MControl* control) {
    std::lock_guard lock(mutex);
    auto it = std::find_if(list.begin(), list.end(),
                           [control](const auto& c) { return c.get() == control; });
    if (it == list.end()) {
        return nullptr;
    }
    std::unique_ptr<MControl> detached = std::move(*it);
    list.erase(it);
    return detached;
}

void MControl::RemoveAllControl() {
    ControlList areas;
    ControlList controls;
    {
        std::lock_guard lock(ControlsLock());
        areas.swap(areas_);
    }
    {
        std::lock_guard lock(ControlsLock());
        controls.swap(controls_);
    }
    hoverChild_ = nullptr;
    areas.clear();
    controls.clear();
}

void MControl::ForgetDescendant(MControl* control) {
    if (hoverChild_ == control) {
        hoverChild_ = nullptr;
    }
}

float MControl::PositionItem2Value(const M_POSITION_ITEM& item, float start, float end) {
    switch (item.kind) {
        case 0:
            return item.fromEnd ? end - item.value : start + item.value;
        case 1: {
            const float centre = (start + end) / 2;
            return item.fromEnd ? centre - item.value : centre + item.value;
        }
        case 2:
            return std::min(start + (end - start) * item.value / 100.0f, end);
        default:
            return 0;
    }
}

void MControl::AddMTimer() {
    if (manager_ != nullptr) {
        manager_->AddMTimer(this);
    }
}

long MControl::SendMessageW(unsigned code, unsigned wParam, long lParam) {
    return parent_ != nullptr ? parent_->OnBaseMessage(id_, code, wParam, lParam) : 0;
}

void MControl::Draw(Canvas& dc, CRect clip) {
    if (!visible_ || !rect_.Intersects(clip)) {
        return;
    }
    {
        std::lock_guard lock(ControlsLock());
        for (std::size_t i = 0; i < areas_.size(); ++i) {
            areas_[i]->Draw(dc, clip);
        }
    }
    DrawControl(dc, clip);
    DrawSubControls(dc, clip);
}

Surface& MControl::UpdateMemDC(Canvas&, int cx, int cy) {
    cache_.Resize(cx, cy);
    update_ = 1;
    return cache_;
}

Surface& MControl::UpdateAnimateDC(Canvas&, int cx, int cy) {
    animateCache_.Resize(cx, cy);
    return animateCache_;
}

void MControl::CopyWindowPixels(Canvas& dc, Surface& dst, int dstX, int dstY) const {
    dc.Flush();
    const CPoint origin = dc.GetOrigin();
    CRect src = rect_;
    src.OffsetRect(origin.x, origin.y);
    dst.CopyFrom(dc.GetSurface(), src, dstX, dstY);
}

// ---- input routing ----

CPoint MControl::ChildPoint(const MControl& child, CPoint unshifted, CPoint shifted) const {
    // A panel's own scroll bars (ids 1 and 2) do not scroll with the content.
    return child.GetControlID() == 1 || child.GetControlID() == 2 ? unshifted : shifted;
}

int MControl::OnMouseMove(unsigned flags, CPoint point) {
    if (!visible_ || !response_) {
        return 0;
    }
    const CPoint unshifted = point;
    CPoint shifted = point;
    OnMousePointChange(shifted);
    MControl* const hadHover = hoverChild_;
    if (hoverChild_ != nullptr) {
        MControl* child = hoverChild_;
        const CPoint p = ChildPoint(*child, unshifted, shifted);
        if (child->PtInRect(p) && child->OnCheckMouseResponse(flags, p)) {
            return child->OnMouseMove(flags, p);
        }
        if (pressed_) {
            // A press keeps the mouse with the child until the release.
            return child->OnMouseMove(flags, p);
        }
    }
    hoverChild_ = nullptr;
    if (!tooltip_.empty() && PtInRect(point) && OnCheckMouseResponse(flags, point) &&
        manager_ != nullptr && manager_->GetTooltipCtrlID() != static_cast<int>(id_)) {
        SetTooltip(tooltip_, rect_);
    }
    OnControlSetCursor(flags, point);
    int result = OnControlMouseMove(flags, point);
    if (pressed_) {
        return result;
    }
    {
        std::lock_guard lock(ControlsLock());
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            MControl* child = controls_[i].get();
            const CPoint p = ChildPoint(*child, unshifted, shifted);
            if (child->OnMouseMove(flags, p) && child->PtInRect(p)) {
                hoverChild_ = child;
                result = 1;
            }
        }
    }
    return hoverChild_ != nullptr || hadHover != nullptr ? 1 : result;
}

namespace {
// The last child in list order that contains the point and takes the mouse.
MControl* ChildAt(const ControlList& list, CPoint unshifted, CPoint shifted) {
    MControl* found = nullptr;
    for (const auto& child : list) {
        const unsigned id = child->GetControlID();
        const CPoint p = id == 1 || id == 2 ? unshifted : shifted;
        if (child->PtInRect(p) && child->IsVisible() && child->IsEnabled() &&
            child->GetRresponse()) {
            found = child.get();
        }
    }
    return found;
}
}  // namespace

int MControl::RoutePress(bool right, unsigned flags, CPoint point) {
    if (!visible_ || !response_) {
        return 0;
    }
    CPoint shifted = point;
    OnMousePointChange(shifted);
    pressed_ = rect_.PtInRect(point) ? 1 : 0;
    {
        std::lock_guard lock(ControlsLock());
        hoverChild_ = ChildAt(controls_, point, shifted);
    }
    if (hoverChild_ != nullptr) {
        const CPoint p = ChildPoint(*hoverChild_, point, shifted);
        return right ? hoverChild_->OnRButtonDown(flags, p) : hoverChild_->OnLButtonDown(flags, p);
    }
    if (manager_ != nullptr) {
        manager_->SetFocusControl(this);
    }
    return right ? OnControlRButtonDown(flags, point) : OnControlLButtonDown(flags, point);
}

int MControl::RouteRelease(bool right, unsigned flags, CPoint point) {
    if (!visible_ || !response_) {
        return 0;
    }
    pressed_ = 0;
    if (hoverChild_ != nullptr) {
        CPoint shifted = point;
        OnMousePointChange(shifted);
        const CPoint p = ChildPoint(*hoverChild_, point, shifted);
        return right ? hoverChild_->OnRButtonUp(flags, p) : hoverChild_->OnLButtonUp(flags, p);
    }
    return right ? OnControlRButtonUp(flags, point) : OnControlLButtonUp(flags, point);
}

int MControl::OnLButtonDown(unsigned flags, CPoint point) {
    return RoutePress(false, flags, point);
}
int MControl::OnRButtonDown(unsigned flags, CPoint point) {
    return RoutePress(true, flags, point);
}
int MControl::OnLButtonUp(unsigned flags, CPoint point) {
    return RouteRelease(false, flags, point);
}
int MControl::OnRButtonUp(unsigned flags, CPoint point) {
    return RouteRelease(true, flags, point);
}

int MControl::OnLButtonDblClk(unsigned flags, CPoint point) {
    pressed_ = 0;
    if (hoverChild_ != nullptr) {
        CPoint shifted = point;
        OnMousePointChange(shifted);
        MControl* child = hoverChild_;
        const CPoint p = ChildPoint(*child, point, shifted);
        const int handled = child->OnLButtonDblClk(flags, p);
        if (!handled && !child->GetDblClk()) {
            return child->OnLButtonDown(flags, p);
        }
        return handled;
    }
    if (!dblClk_) {
        return OnControlLButtonDown(flags, point);
    }
    if (dblClkReport_ && rect_.PtInRect(point)) {
        CPoint clicked = point;
        SendMessageW(NOTIFY_DBLCLK, flags,
                     static_cast<long>(reinterpret_cast<std::intptr_t>(&clicked)));
    }
    return OnControlLButtonDblClk(flags, point);
}

int MControl::OnRButtonDblClk(unsigned flags, CPoint point) {
    if (hoverChild_ != nullptr) {
        CPoint shifted = point;
        OnMousePointChange(shifted);
        return hoverChild_->OnRButtonDblClk(flags, ChildPoint(*hoverChild_, point, shifted));
    }
    return dblClk_ ? OnControlRButtonDblClk(flags, point) : OnControlRButtonDown(flags, point);
}

int MControl::OnScroll(int bar, unsigned dir, CPoint point) {
    if (!visible_ || !response_ || !enabled_) {
        return 0;
    }
    CPoint shifted = point;
    OnMousePointChange(shifted);
    if (hoverChild_ != nullptr) {
        const CPoint p = ChildPoint(*hoverChild_, point, shifted);
        if (hoverChild_->PtInRect(p) && hoverChild_->OnCheckMouseResponse(0, p) &&
            hoverChild_->OnScroll(bar, dir, p)) {
            return 1;
        }
    }
    if (rect_.PtInRect(point) && OnControlScroll(bar, dir, point)) {
        return 1;
    }
    std::lock_guard lock(ControlsLock());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        MControl* child = controls_[i].get();
        const CPoint p = ChildPoint(*child, point, shifted);
        if (child->PtInRect(p) && child->OnScroll(bar, dir, p)) {
            return 1;
        }
    }
    return 0;
}

int MControl::OnKeyDown(unsigned vk, unsigned repeat, unsigned modifier) {
    if (!visible_ || !response_) {
        return 0;
    }
    std::lock_guard lock(ControlsLock());
    for (auto& child : controls_) {
        if (child->IsFocused()) {
            return child->OnKeyDown(vk, repeat, modifier);
        }
    }
    if (hoverChild_ != nullptr && hoverChild_->OnKeyDown(vk, repeat, modifier)) {
        return 1;
    }
    if (OnControlKeyDown(vk, repeat, modifier)) {
        return 1;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->OnKeyDown(vk, repeat, modifier)) {
            return 1;
        }
    }
    return 0;
}

int MControl::OnTimer() {
    int result = OnControlTimer();
    std::lock_guard lock(ControlsLock());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        MControl* child = controls_[i].get();
        if (child->IsVisible() && child->IsRunTimer() && child->OnTimer()) {
            result = 1;
        }
    }
    return result ? 1 : 0;
}

}  // namespace Tessera
