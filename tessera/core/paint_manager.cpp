#include "tessera/core/paint_manager.h"

#include <algorithm>
#include <cstdlib>

#include "tessera/core/control_registry.h"
#include "tessera/core/manager.h"
#include "tessera/core/window.h"
#include "tessera/platform/canvas.h"
#include "tessera/platform/platform.h"

namespace Tessera {

namespace {
CPoint PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
constexpr int kOverlayFontSize = 12;
}  // namespace

PaintManager::PaintManager() = default;

PaintManager::~PaintManager() {
    DestroyData();
    // Controls built before the window existed are freed too.
    ClearAllControls();
}

// ---------------------------------------------------------------------------------------
// Lifecycle

void PaintManager::Init(NativeWindow* window, MWindow* owner) {
    window_ = window;
    owner_ = owner;
    initialized_ = window != nullptr;
    AddTempFont(kLatinFaceName, 106u);
    AddTempFont(kFrameworkFaceName, 107u);
    scrollV_ = 102;
    scrollH_ = 101;
}

void PaintManager::DestroyData() {
    if (!initialized_) {
        return;
    }
    bkImage_.reset();
    KillMTimer();
    ClearTimers();
    ClearAllControls();
    ClearImgResInfo();
    ClearTempFont();
    tooltip_.reset();
    initialized_ = false;
    hover_ = focus_ = caretOwner_ = nullptr;
    window_ = nullptr;
}

// ---------------------------------------------------------------------------------------
// Window helpers

void PaintManager::Invalidate() {
    if (window_ != nullptr && window_->IsAlive()) {
        window_->Invalidate(window_->GetClientRect());
    }
}

void PaintManager::InvalidateRect(CRect rect, int) {
    if (window_ == nullptr || !window_->IsAlive()) {
        return;
    }
    if (layered_) {
        Invalidate();
    } else {
        window_->Invalidate(rect);
    }
}

void PaintManager::GetClientRect(CRect& rect) const {
    rect = window_ != nullptr && window_->IsAlive() ? window_->GetClientRect() : CRect();
}

void PaintManager::GetWindowRect(CRect& rect) const {
    rect = window_ != nullptr && window_->IsAlive() ? window_->GetWindowRect() : CRect();
}

void PaintManager::GetClientSize(int& cx, int& cy) const {
    CRect r;
    GetClientRect(r);
    cx = r.Width();
    cy = r.Height();
}

void PaintManager::SetCapture() {
    if (window_ != nullptr && window_->IsAlive()) {
        window_->SetCapture();
        captured_ = 1;
    }
}

void PaintManager::ReleaseCapture() {
    if (window_ != nullptr && window_->IsAlive()) {
        window_->ReleaseCapture();
    }
    captured_ = 0;
}

void PaintManager::SetLayeredWindow(int layered) {
    layered_ = layered;
    if (window_ != nullptr && window_->IsAlive()) {
        window_->SetLayered(layered != 0);
        Invalidate();
    }
}

LRESULT PaintManager::SendMessageW(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return owner_ != nullptr && window_ != nullptr ? owner_->SendMessageW(msg, wParam, lParam) : 0;
}

LRESULT PaintManager::PostMessageW(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return window_ != nullptr && window_->PostMessage(msg, wParam, lParam) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Look

int PaintManager::LoadBKImage(const std::wstring& file) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return 0;
    }
    bkImage_ = std::move(image);
    Invalidate();
    return 1;
}

int PaintManager::LoadBKImage(unsigned resId, const std::wstring&) {
    auto image = LoadFrameworkImage(resId);
    if (!image) {
        return 0;
    }
    bkImage_ = std::move(image);
    Invalidate();
    return 1;
}

void PaintManager::SetBackMode(enumBackMode mode, int corner) {
    backMode_ = mode;
    corner_ = corner;
    Invalidate();
}

void PaintManager::SetBackColor(COLORREF back, COLORREF frame) {
    backColor_ = back;
    frameColor_ = frame;
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Controls

MControl* PaintManager::CreateArea(MObject* parent, const std::wstring& className, unsigned id,
                                   CRect rect, const std::wstring& title, int visible,
                                   int enabled) {
    return CreateControl(0, parent, className, id, rect, title, visible, enabled);
}

MControl* PaintManager::CreateControl(MObject* parent, const std::wstring& className, unsigned id,
                                      CRect rect, const std::wstring& title, int visible,
                                      int enabled) {
    return CreateControl(1, parent, className, id, rect, title, visible, enabled);
}

MControl* PaintManager::CreateControl(unsigned layer, MObject* parent,
                                      const std::wstring& className, unsigned id, CRect rect,
                                      const std::wstring& title, int visible, int enabled) {
    if (layer > 1) {
        return nullptr;
    }
    auto control = CreateControlByClassName(className, ControlHost::kWindow, parent, id, rect,
                                            title, visible, enabled);
    if (!control) {
        return nullptr;
    }
    control->SetParent(parent);
    return AddControl(layer, std::move(control));
}

MControl* PaintManager::AddControl(unsigned layer, std::unique_ptr<MControl> control) {
    if (!control || layer > 1) {
        return nullptr;
    }
    MControl* raw = control.get();
    if (raw->GetParantObject() == nullptr) {
        raw->SetParent(owner_ != nullptr ? dynamic_cast<MObject*>(owner_) : this);
    }
    raw->SetManager(this);
    if (layer == 0) {
        std::lock_guard lock(treeLock_);
        areas_.push_back(std::move(control));
    } else {
        std::lock_guard lock(treeLock_);
        controls_.push_back(std::move(control));
    }
    return raw;
}

MControl* PaintManager::GetControl(unsigned id) {
    if (MControl* found = MControl::FindInList(controls_, treeLock_, id)) {
        return found;
    }
    return MControl::FindInList(areas_, treeLock_, id);
}

void PaintManager::RemoveControl(MControl* control) {
    if (control == nullptr) {
        return;
    }
    std::unique_ptr<MControl> doomed = MControl::DetachFromList(controls_, treeLock_, control);
    if (!doomed) {
        return;
    }
    if (initialized_) {
        InvalidateRect(control->GetRect());
    }
    doomed.reset();
}

void PaintManager::ClearAllControls() {
    ClearAreaControls();
    ClearControls();
}

void PaintManager::ClearAreaControls() {
    ControlList doomed;
    {
        std::lock_guard lock(treeLock_);
        doomed.swap(areas_);
    }
    doomed.clear();
}

void PaintManager::ClearControls() {
    ControlList doomed;
    {
        std::lock_guard lock(treeLock_);
        doomed.swap(controls_);
    }
    doomed.clear();
}

void PaintManager::SetFocusControl(MControl* control) {
    if (focus_ == control) {
        if (control != nullptr && !control->IsFocused()) {
            control->SetControlFocus(1);
        }
        return;
    }
    MControl* previous = focus_;
    focus_ = control;
    if (previous != nullptr) {
        previous->SetControlFocus(0);
    }
    if (control != nullptr) {
        control->SetControlFocus(1);
    }
}

MControl* PaintManager::GetNextFocusableControl() {
    std::lock_guard lock(treeLock_);
    const std::size_t n = controls_.size();
    if (n == 0) {
        return nullptr;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (controls_[i].get() == focus_) {
            start = i + 1;
            break;
        }
    }
    for (std::size_t k = 0; k < n; ++k) {
        MControl* c = controls_[(start + k) % n].get();
        if (c != focus_ && c->IsVisible() && c->IsEnabled() && c->IsTabStop()) {
            return c;
        }
    }
    return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl() {
    std::lock_guard lock(treeLock_);
    const std::size_t n = controls_.size();
    if (n == 0) {
        return nullptr;
    }
    std::size_t start = n - 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (controls_[i].get() == focus_) {
            start = (i + n - 1) % n;
            break;
        }
    }
    for (std::size_t k = 0; k < n; ++k) {
        MControl* c = controls_[(start + n - k) % n].get();
        if (c != focus_ && c->IsVisible() && c->IsEnabled() && c->IsTabStop()) {
            return c;
        }
    }
    return nullptr;
}

long PaintManager::OnControlUpdate(CRect rect, int invalidate, MControl* control) {
    if (control == nullptr) {
        return 0;
    }
    if (invalidate == 1) {
        control->SetUpdate(0);
    }
    if (!initialized_) {
        return 0;
    }
    // Later controls overlapping the rectangle hold a snapshot of what lies beneath them:
    // they must redraw from a fresh one.
    CRect dirty = rect;
    bool met = false;
    auto walk = [&](ControlList& list, std::recursive_mutex& mutex) {
        std::lock_guard lock(mutex);
        for (auto& c : list) {
            if (met && c->IsVisible() && c->GetRect().Intersects(rect)) {
                c->SetUpdate(0);
                dirty = CRect::Union(dirty, c->GetRect());
            }
            if (c.get() == control) {
                met = true;
            }
        }
    };
    walk(areas_, treeLock_);
    walk(controls_, treeLock_);
    InvalidateRect(dirty);
    return 0;
}

void PaintManager::ReleaseInput(MControl* control) {
    if (hover_ == control) {
        hover_ = nullptr;
    }
    if (focus_ == control) {
        focus_ = nullptr;
    }
}

void PaintManager::ForgetControl(MControl* control) {
    ReleaseInput(control);
    if (caretOwner_ == control) {
        caretOwner_ = nullptr;
        caretVisible_ = 0;
    }
    KillTimer(control);
    DeleteMTimer(control);
    auto clearHover = [control](ControlList& list, std::recursive_mutex& mutex) {
        std::lock_guard lock(mutex);
        for (auto& c : list) {
            c->ForgetDescendant(control);
        }
    };
    clearHover(areas_, treeLock_);
    clearHover(controls_, treeLock_);
}

// ---------------------------------------------------------------------------------------
// Message entry

LRESULT PaintManager::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (!initialized_) {
        return 0;
    }
    {
        std::lock_guard lock(treeLock_);
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i]->OnWindowMessage(msg, wParam, lParam)) {
                handled = true;
                return 0;
            }
        }
    }
    handled = true;
    switch (msg) {
        case WM_PAINT:
            return OnPaint();
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(
                lParam);  // NOLINT(performance-no-int-to-ptr): lParam carries the pointer
            if (info != nullptr) {
                if (minSize_.cx > 0 && minSize_.cy > 0) {
                    info->ptMinTrackSize = {minSize_.cx, minSize_.cy};
                }
                if (maxSize_.cx > 0 && maxSize_.cy > 0) {
                    info->ptMaxTrackSize = {maxSize_.cx, maxSize_.cy};
                    info->ptMaxSize = {maxSize_.cx, maxSize_.cy};
                }
            }
            return 0;
        }
        case WM_CREATE:
        case WM_DESTROY:
        case WM_SIZE:
        case WM_CHAR:
        case WM_MOUSEHOVER:
            return 1;
        case WM_NCDESTROY:
            DestroyData();
            return 0;
        case WM_NCACTIVATE:
            OnNcActivate(wParam != 0);
            handled = false;
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return OnKeyDown(static_cast<unsigned>(wParam), lParam) ? 1 : 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            handled = false;
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<unsigned>(wParam));
            return 1;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnButtonDown(msg == WM_RBUTTONDOWN, wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(msg == WM_RBUTTONUP, wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            OnButtonDblClk(msg == WM_RBUTTONDBLCLK, wParam, PointOf(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam, PointOf(lParam));
            return 0;
        default:
            handled = false;
            return 0;
    }
}

bool PaintManager::PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                const Platform& platform = CurrentPlatform();
                if (platform.IsKeyDown(VK_CONTROL) || platform.IsKeyDown(VK_MENU)) {
                    return false;
                }
                MControl* next = platform.IsKeyDown(VK_SHIFT) ? GetPrevFocusableControl()
                                                              : GetNextFocusableControl();
                if (next != nullptr) {
                    SetFocusControl(next);
                    next->UpdateControl(0, 0);
                }
                return true;
            }
            return false;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEWHEEL:
            if (tooltip_) {
                tooltip_->RelayMouse(msg, PointOf(lParam));
            }
            return false;
        default:
            return false;
    }
}

// ---------------------------------------------------------------------------------------
// Mouse

void PaintManager::OnMouseMove(WPARAM flags, CPoint p) {
    cursorRequested_ = false;
    RouteMouseMove(flags, p);
    // The window cursor comes back where no control asks for one of its own.
    if (!cursorRequested_ && cursor_ != CursorKind::kDefault) {
        SetCursor(CursorKind::kDefault);
    }
}

void PaintManager::SetCursor(CursorKind cursor) {
    cursorRequested_ = true;
    if (cursor != cursor_ && window_ != nullptr && window_->IsAlive()) {
        window_->SetCursor(cursor);
    }
    cursor_ = cursor;
}

void PaintManager::RouteMouseMove(WPARAM flags, CPoint p) {
    tracking_ = 1;
    const auto f = static_cast<unsigned>(flags);
    if (hover_ != nullptr && hover_->PtInRect(p) && hover_->OnCheckMouseResponse(f, p)) {
        hover_->OnMouseMove(f, p);
        return;
    }
    if (tooltip_ && tooltip_->IsActive()) {
        tooltip_->SetText(L"");
        tooltipOwner_ = 0;
    }
    if (lPressed_) {
        // The pressed control keeps following the mouse (sliders, drags) until release;
        // so does its cursor.
        if (hover_ != nullptr) {
            cursorRequested_ = true;
            hover_->OnMouseMove(f, p);
        }
        return;
    }
    MControl* found = nullptr;
    std::lock_guard lock(treeLock_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        MControl* c = controls_[i].get();
        c->OnMouseMove(f, p);
        if (c->IsVisible() && c->PtInRect(p) && c->GetRresponse()) {
            found = c;
        }
    }
    hover_ = found;
}

void PaintManager::OnButtonDown(bool right, WPARAM flags, CPoint p) {
    const auto f = static_cast<unsigned>(flags);
    if (hover_ == nullptr || !hover_->PtInRect(p)) {
        // A press without a move before it (a synthetic click) finds its control too.
        OnMouseMove(flags & ~static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON), p);
    }
    if (focus_ != nullptr && focus_ != hover_) {
        MControl* previous = focus_;
        focus_ = nullptr;
        previous->SetControlFocus(0);
    }
    MControl* target = hover_;
    if (target != nullptr && target->IsVisible() && target->GetRresponse() && target->PtInRect(p) &&
        target->OnCheckMouseResponse(f, p)) {
        (right ? rPressed_ : lPressed_) = 1;
        SetFocusControl(target);
        if (right) {
            target->OnRButtonDown(f, p);
        } else {
            target->OnLButtonDown(f, p);
        }
        if (!captured_) {
            SetCapture();
        }
        return;
    }
    // Only the left button moves the window by a free spot.
    if (!right && wndDrag_) {
        ReleaseCapture();
        SendMessageW(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void PaintManager::OnButtonUp(bool right, WPARAM flags, CPoint p) {
    ReleaseCapture();
    (right ? rPressed_ : lPressed_) = 0;
    MControl* target = hover_;
    if (target != nullptr && target->IsVisible() && target->GetRresponse()) {
        const CRect before = target->GetRect();
        if (right) {
            target->OnRButtonUp(static_cast<unsigned>(flags), p);
        } else {
            target->OnLButtonUp(static_cast<unsigned>(flags), p);
        }
        // The handler may have removed the control (then hover_ is already clear).
        if (hover_ == target && !before.PtInRect(p)) {
            hover_ = nullptr;
        }
    }
}

void PaintManager::OnButtonDblClk(bool right, WPARAM flags, CPoint p) {
    MControl* target = hover_;
    if (target == nullptr) {
        return;
    }
    if (right) {
        target->OnRButtonDblClk(static_cast<unsigned>(flags), p);
    } else {
        target->OnLButtonDblClk(static_cast<unsigned>(flags), p);
    }
    if (hover_ == target && !target->PtInRect(p)) {
        hover_ = nullptr;
    }
}

void PaintManager::OnMouseLeave() {
    if (tooltip_) {
        tooltip_->SetText(L"");
        tooltipOwner_ = 0;
    }
    tracking_ = 0;
    if (!lPressed_ && !rPressed_ && hover_ != nullptr) {
        MControl* target = hover_;
        target->OnMouseMove(0, CPoint(-1, -1));
        hover_ = nullptr;
    }
}

void PaintManager::OnMouseWheel(WPARAM wParam, CPoint p) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = std::abs(delta) / WHEEL_DELTA;
    const unsigned dir = delta <= 0 ? 1u : 0u;
    for (int n = 0; n < notches; ++n) {
        if (hover_ != nullptr && hover_->OnScroll(1, dir, p)) {
            continue;
        }
        std::lock_guard lock(treeLock_);
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i]->OnScroll(1, dir, p)) {
                break;
            }
        }
    }
}

void PaintManager::OnNcActivate(bool active) {
    active_ = active ? 1 : 0;
    if (active) {
        return;
    }
    const bool leftWasPressed = lPressed_ != 0;
    tracking_ = 0;
    lPressed_ = rPressed_ = 0;
    if (captured_) {
        ReleaseCapture();
    }
    if (hover_ != nullptr) {
        MControl* target = hover_;
        if (leftWasPressed) {
            target->OnLButtonUp(0, CPoint(-1, -1));
        } else {
            target->OnMouseMove(0, CPoint(-1, -1));
        }
    }
    hover_ = nullptr;
    Invalidate();
}

bool PaintManager::OnKeyDown(unsigned vk, LPARAM lParam) {
    const unsigned modifier = CurrentModifierCode();
    const unsigned repeat = static_cast<unsigned>(lParam & 0xFFFF);
    if (hover_ != nullptr && hover_->OnKeyDown(vk, repeat, modifier)) {
        return true;
    }
    std::lock_guard lock(treeLock_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->OnKeyDown(vk, repeat, modifier)) {
            return true;
        }
    }
    return false;
}

unsigned PaintManager::CurrentModifierCode() {
    const Platform& platform = CurrentPlatform();
    unsigned code = 0;
    if (platform.IsKeyDown(VK_MENU)) {
        code = 18;
    } else if (platform.IsKeyDown(VK_SHIFT)) {
        code = 16;
    }
    if (platform.IsKeyDown(VK_CONTROL)) {
        code |= 17;
    }
    return code;
}

// ---------------------------------------------------------------------------------------
// Painting

LRESULT PaintManager::OnPaint() {
    if (window_ == nullptr || !window_->IsAlive() || window_->IsMinimized()) {
        return 0;
    }
    const CRect update = window_->BeginPaint();
    if (update.IsRectEmpty()) {
        return 0;
    }
    const CRect composed = Compose(update);
    window_->Present(backBuffer_, composed);
    return 1;
}

CRect PaintManager::Compose(CRect update) {
    CRect client;
    GetClientRect(client);
    if (client.IsRectEmpty()) {
        return {};
    }
    if (backBuffer_.Width() != client.Width() || backBuffer_.Height() != client.Height()) {
        backBuffer_.Resize(client.Width(), client.Height());
        update = client;
    }
    if (layered_) {
        update = client;
    } else {
        // A stale control redraws from a snapshot of what lies beneath it, so all of it
        // must be composed afresh, not only the part inside the update.
        bool grown = true;
        while (grown) {
            grown = false;
            auto grow = [&](ControlList& list, std::recursive_mutex& mutex) {
                std::lock_guard lock(mutex);
                for (auto& c : list) {
                    const CRect r = CRect::Intersect(c->GetRect(), client);
                    if (c->IsVisible() && !c->GetUpdate() && r.Intersects(update) &&
                        CRect::Union(update, r) != update) {
                        update = CRect::Union(update, r);
                        grown = true;
                    }
                }
            };
            grow(areas_, treeLock_);
            grow(controls_, treeLock_);
        }
        update = CRect::Intersect(update, client);
    }
    {
        Canvas dc(backBuffer_);
        dc.PushClip(update);
        dc.ClearRect(update, 0);
        DrawBackground(dc);
        const CRect clip = layered_ ? client : update;
        {
            std::lock_guard lock(treeLock_);
            for (std::size_t i = 0; i < areas_.size(); ++i) {
                areas_[i]->Draw(dc, clip);
            }
        }
        {
            std::lock_guard lock(treeLock_);
            for (std::size_t i = 0; i < controls_.size(); ++i) {
                controls_[i]->Draw(dc, clip);
            }
        }
        DrawCaret(dc, clip);
        dc.Flush();
        if (owner_ != nullptr && owner_->GetPolygon() && client.Width() == 1200 &&
            client.Height() == 720) {
            // Both top corners cut off: (0,0)-(0,57)-(32,0) and (1168,0)-(1200,0)-(1200,57).
            for (int y = 0; y < 57; ++y) {
                const int cut = 32 - (y * 32 + 56) / 57;
                std::uint32_t* row = backBuffer_.Row(y);
                std::fill(row, row + std::max(cut, 0), 0u);
                std::fill(row + 1200 - std::max(cut, 0), row + 1200, 0u);
            }
        }
        if (layered_) {
            RepairAlpha(update);
        }
        if (colorKey_ != 0xFFFFFF) {
            ClearKeyColor(update);
        }
        DrawOverlay(dc);
        dc.PopClip();
    }
    return update;
}

void PaintManager::DrawBackground(Canvas& dc) {
    CRect client(0, 0, backBuffer_.Width(), backBuffer_.Height());
    if (bkImage_) {
        if (backMode_ == BACKMODE_FRAME) {
            dc.DrawImageNineGrid(*bkImage_, client,
                                 CRect(0, 0, bkImage_->Width(), bkImage_->Height()), corner_,
                                 corner_, corner_, corner_);
        } else {
            dc.DrawImage(*bkImage_, 0, 0);
        }
        return;
    }
    dc.FillRect(client, ColorRefToArgb(frameColor_, 254));
    client.DeflateRect(1, 1);
    dc.ClearRect(client, 0);
    dc.FillRect(client, ColorRefToArgb(backColor_, 254));
}

void PaintManager::RepairAlpha(const CRect& rect) {
    const CRect r = CRect::Intersect(rect, backBuffer_.Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = backBuffer_.Row(y);
        for (int x = r.left; x < r.right; ++x) {
            if ((row[x] & 0xFF000000u) == 0 && (row[x] & 0x00FFFFFFu) != 0) {
                row[x] |= 0xFF000000u;
            }
        }
    }
}

void PaintManager::ClearKeyColor(const CRect& rect) {
    const CRect r = CRect::Intersect(rect, backBuffer_.Bounds());
    const ARGB key = ColorRefToArgb(colorKey_, 0) & 0x00FFFFFFu;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = backBuffer_.Row(y);
        for (int x = r.left; x < r.right; ++x) {
            // Opaque or nearly (the background's 254) pixels of the key colour.
            if ((row[x] >> 24) >= 254 && (UnpremultiplyPixel(row[x]) & 0x00FFFFFFu) == key) {
                row[x] = 0;
            }
        }
    }
}

void PaintManager::DrawOverlay(Canvas& dc) {
    if (overlayAlpha_ <= 10 || messageText_.empty()) {
        return;
    }
    const auto a = static_cast<ARGB>(overlayAlpha_) << 24;
    const CRect box = overlayRect_;
    dc.FillRect(box, a | 0xE6E6E6);
    CRect inner = box;
    inner.DeflateRect(2, 2);
    dc.FillRect(inner, a | 0xFEFEFE);
    const FontSpec font{overlayFace_, kOverlayFontSize, kFontStyleRegular};
    if (!progressMode_) {
        dc.DrawText(messageText_, CRect(box.left + 5, box.top + 5, box.left + 195, box.top + 55),
                    font, a | 0x050505, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    dc.DrawText(messageText_,
                CRect(box.left + 5, box.top + 5, box.left + 5 + box.Width() - 10, box.top + 35),
                font, a | 0x050505, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    dc.DrawLine(CPoint(box.left + 10, box.bottom - 15), CPoint(box.right - 20, box.bottom - 15),
                0xC8C8C8C8, 1);
    const int length = std::clamp(progress_, 0, 100) * (box.Width() - 20) / 100;
    dc.FillRect(CRect(box.left + 10, box.bottom - 17, box.left + 10 + length, box.bottom - 14),
                0xFEFFE100);
}

// ---------------------------------------------------------------------------------------
// Timers

void PaintManager::OnTimer(unsigned id) {
    switch (id) {
        case kCaretTimerId:
            caretShown_ = !caretShown_;
            InvalidateRect(caretRect_);
            return;
        case kMessageHoldTimerId:
            if (window_ != nullptr) {
                window_->KillTimer(kMessageHoldTimerId);
                window_->SetTimer(kOverlayFadeTimerId, 50);
            }
            return;
        case kOverlayFadeTimerId:
            overlayAlpha_ -= 10;
            if (overlayAlpha_ < 20) {
                overlayAlpha_ = 0;
                progress_ = 0;
                progressTarget_ = 0;
                if (window_ != nullptr) {
                    window_->KillTimer(kOverlayFadeTimerId);
                }
                Invalidate();
            } else {
                InvalidateRect(overlayRect_);
            }
            return;
        case kProgressTimerId:
            progress_ = std::min(progress_ + 2, std::max(progressTarget_, progress_));
            InvalidateRect(overlayRect_);
            if (progress_ >= 100) {
                window_->KillTimer(kProgressTimerId);
                window_->SetTimer(kOverlayFadeTimerId, 50);
            } else if (progress_ >= progressTarget_) {
                window_->KillTimer(kProgressTimerId);
            }
            return;
        case kControlTickTimerId: {
            std::vector<MControl*> ticking;
            {
                std::lock_guard lock(tickLock_);
                ticking = tickControls_;
            }
            for (MControl* c : ticking) {
                {
                    std::lock_guard lock(tickLock_);
                    if (std::find(tickControls_.begin(), tickControls_.end(), c) ==
                        tickControls_.end()) {
                        continue;  // gone meanwhile
                    }
                }
                if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) {
                    c->OnTimer();
                }
            }
            return;
        }
        default:
            break;
    }
    std::vector<MControl*> due;
    {
        std::lock_guard lock(timerLock_);
        for (const auto& record : timers_) {
            if (record.eventId == id && !record.killed) {
                due.push_back(record.control);
            }
        }
    }
    for (MControl* c : due) {
        bool stillThere = false;
        {
            std::lock_guard lock(timerLock_);
            stillThere = std::any_of(timers_.begin(), timers_.end(), [&](const auto& r) {
                return r.control == c && r.eventId == id && !r.killed;
            });
        }
        if (stillThere) {
            c->OnTimer();
        }
    }
}

bool PaintManager::NextTimerIdInUse(unsigned id) const {
    if (id == kMessageHoldTimerId || id == kOverlayFadeTimerId || id == kProgressTimerId) {
        return true;
    }
    return std::any_of(timers_.begin(), timers_.end(),
                       [id](const auto& r) { return r.eventId == id; });
}

int PaintManager::SetTimer(MControl* control, unsigned key, unsigned elapseMs) {
    if (control == nullptr || window_ == nullptr || !window_->IsAlive()) {
        return 0;
    }
    std::lock_guard lock(timerLock_);
    for (auto& record : timers_) {
        if (record.control == control && record.key == key) {
            if (!record.killed) {
                return 0;
            }
            if (!window_->SetTimer(record.eventId, elapseMs)) {
                return 0;
            }
            record.killed = 0;
            return 1;
        }
    }
    // Ids cycle through 0..239; the manager's own ids and ids still held by another
    // record are skipped, so two controls never share one window timer.
    unsigned id = lastEventId_;
    bool found = false;
    for (int tries = 0; tries < 240; ++tries) {
        id = (id + 1) % 240;
        if (!NextTimerIdInUse(id)) {
            found = true;
            break;
        }
    }
    if (!found || !window_->SetTimer(id, elapseMs)) {
        return 0;
    }
    lastEventId_ = id;
    timers_.push_back({key, id, 0, control});
    return 1;
}

int PaintManager::KillTimer(MControl* control, unsigned key) {
    std::lock_guard lock(timerLock_);
    for (auto& record : timers_) {
        if (record.control == control && record.key == key) {
            if (!record.killed && window_ != nullptr) {
                window_->KillTimer(record.eventId);
            }
            record.killed = 1;
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control) {
    std::lock_guard lock(timerLock_);
    std::erase_if(timers_, [&](const ControlTimerRecord& r) {
        if (r.control != control) {
            return false;
        }
        if (!r.killed && window_ != nullptr) {
            window_->KillTimer(r.eventId);
        }
        return true;
    });
}

void PaintManager::ClearTimers() {
    std::lock_guard lock(timerLock_);
    for (const auto& r : timers_) {
        if (!r.killed && window_ != nullptr) {
            window_->KillTimer(r.eventId);
        }
    }
    timers_.clear();
}

unsigned PaintManager::SetMTimer(unsigned periodMs) {
    if (window_ == nullptr || !window_->SetTimer(kControlTickTimerId, std::max(periodMs, 1u))) {
        return 0;
    }
    tickPeriod_ = periodMs;
    return kControlTickTimerId;
}

void PaintManager::KillMTimer(unsigned id) {
    if (id == kControlTickTimerId) {
        KillMTimer();
    }
}

void PaintManager::KillMTimer() {
    if (tickPeriod_ != 0 && window_ != nullptr) {
        window_->KillTimer(kControlTickTimerId);
    }
    tickPeriod_ = 0;
}

void PaintManager::AddMTimer(MControl* control) {
    std::lock_guard lock(tickLock_);
    if (std::find(tickControls_.begin(), tickControls_.end(), control) == tickControls_.end()) {
        tickControls_.push_back(control);
    }
}

void PaintManager::DeleteMTimer(MControl* control) {
    std::lock_guard lock(tickLock_);
    std::erase(tickControls_, control);
}

// ---------------------------------------------------------------------------------------
// Tooltip and overlay

void PaintManager::SetTooltip(const std::wstring& text, CRect) {
    if (window_ == nullptr || !window_->IsAlive()) {
        return;
    }
    if (!tooltip_) {
        tooltip_ = CurrentPlatform().CreateTooltip(*window_);
        if (!tooltip_) {
            return;
        }
        tooltip_->SetColors(RGB(6, 15, 16), RGB(56, 227, 237));
        tooltip_->SetMaxWidth(256);
    }
    tooltip_->SetText(text);
}

void PaintManager::ClearTooltip() {
    if (tooltip_) {
        tooltip_->SetText(L"");
    }
}

void PaintManager::SetMessage(const std::wstring& text, CRect rect, MsgLevel level) {
    if (window_ == nullptr || !window_->IsAlive()) {
        return;
    }
    window_->KillTimer(kMessageHoldTimerId);
    window_->KillTimer(kOverlayFadeTimerId);
    overlayAlpha_ = 255;
    messageText_ = text;
    overlayRect_ = rect;
    messageLevel_ = level;
    progress_ = 0;
    progressTarget_ = 0;
    progressMode_ = false;
    InvalidateRect(rect);
    window_->SetTimer(kMessageHoldTimerId, 3000);
}

void PaintManager::SetProgress(int percent, const std::wstring& text, CRect rect) {
    if (window_ == nullptr || !window_->IsAlive() || percent == progressTarget_) {
        return;
    }
    if (percent < 5) {
        window_->KillTimer(kOverlayFadeTimerId);
    }
    overlayAlpha_ = 255;
    messageText_ = text;
    progressTarget_ = percent;
    progressMode_ = true;
    if (rect.IsRectEmpty()) {
        CRect client;
        GetClientRect(client);
        rect = CRect(client.left, client.bottom - 60, client.right, client.bottom - 2);
    }
    overlayRect_ = rect;
    if (progressTarget_ - progress_ < 6) {
        progress_ = progressTarget_;
        window_->KillTimer(kProgressTimerId);
        if (progress_ >= 100) {
            window_->SetTimer(kOverlayFadeTimerId, 50);
        }
    } else {
        window_->SetTimer(kProgressTimerId, 10);
    }
    InvalidateRect(rect);
}

// ---------------------------------------------------------------------------------------
// Caret

void PaintManager::CreateCaret(int cx, int cy) {
    caretRect_ = CRect(caretRect_.left, caretRect_.top, caretRect_.left + cx, caretRect_.top + cy);
}

void PaintManager::ShowCaret(int show) {
    caretVisible_ = show;
    caretShown_ = show;
    if (window_ == nullptr) {
        return;
    }
    if (show) {
        window_->SetTimer(kCaretTimerId, CurrentPlatform().GetCaretBlinkTime());
    } else {
        window_->KillTimer(kCaretTimerId);
    }
    InvalidateRect(caretRect_);
}

void PaintManager::SetCaretPos(MControl* owner, int x, int y) {
    const CRect old = caretRect_;
    caretOwner_ = owner;
    caretRect_ = CRect(x, y, x + old.Width(), y + old.Height());
    InvalidateRect(CRect::Union(old, caretRect_));
}

void PaintManager::DrawCaret(Canvas& dc, const CRect& clip) {
    if (caretVisible_ && caretShown_ && caretRect_.Intersects(clip)) {
        dc.FillRect(caretRect_, 0xFF38E3ED);
    }
}

// ---------------------------------------------------------------------------------------
// Resources

ImgResInfo* PaintManager::AddImgResInfo(const std::wstring& file, int frames) {
    return images_.AddFile(file, frames);
}

ImgResInfo* PaintManager::AddImgResInfo(unsigned resId, const std::wstring&, int frames,
                                        int application) {
    return images_.AddResource(resId, frames, application != 0);
}

int PaintManager::AddTempFont(const std::wstring& face, const std::wstring& file) {
    if (!AddPrivateFontFile(file)) {
        return 0;
    }
    std::lock_guard lock(fontLock_);
    fonts_[face] = ResolveFontFamilies(face);
    return 1;
}

int PaintManager::AddTempFont(const std::wstring& face, unsigned resId) {
    // The framework's two fonts are the installed Latin face and the CJK stand-in.
    const wchar_t* resource = resId == 106   ? kLatinFaceName
                              : resId == 107 ? kFrameworkFaceName
                                             : nullptr;
    if (resource == nullptr || !IsFontFaceAvailable(resource)) {
        return 0;
    }
    std::lock_guard lock(fontLock_);
    fonts_[face] = ResolveFontFamilies(resource);
    return 1;
}

void PaintManager::AddGDITempFont(unsigned resId) {
    AddTempFont(resId == 106 ? kLatinFaceName : kFrameworkFaceName, resId);
}

std::wstring PaintManager::FindTempFont(const std::wstring&) {
    const std::wstring face = Manager::GetFontName();
    std::lock_guard lock(fontLock_);
    if (auto it = fonts_.find(face); it != fonts_.end()) {
        return it->second;
    }
    if (!IsFontFaceAvailable(face)) {
        return {};
    }
    return fonts_[face] = ResolveFontFamilies(face);
}

std::wstring PaintManager::GetTempFont(const std::wstring& face) {
    std::lock_guard lock(fontLock_);
    auto it = fonts_.find(face);
    return it != fonts_.end() ? it->second : std::wstring();
}

void PaintManager::ClearTempFont() {
    std::lock_guard lock(fontLock_);
    fonts_.clear();
}

}  // namespace Tessera
