#include "tessera/keyboard/keyboard_ctrl.h"

#include <algorithm>
#include <cstdlib>

#include "tessera/core/image_cache.h"
#include "tessera/core/paint_manager.h"
#include "tessera/keyboard/light_mode_presets.h"
#include "tessera/platform/platform.h"

namespace Tessera {

namespace {
constexpr unsigned kNoKey = static_cast<unsigned>(-1);

CRect NormalizedRect(CPoint a, CPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}
}  // namespace

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, L"", visible, enabled),
      uiThread_(std::this_thread::get_id()),
      alive_(std::make_shared<KeyboardCtrl*>(this)) {
    SetFont(L"Arail", 10, kFontStyleRegular);
}

KeyboardCtrl::~KeyboardCtrl() {
    alive_.reset();
    tips_.reset();
}

// ---- keys ----

int KeyboardCtrl::AddKeyItem(const std::wstring& name, const std::wstring& desc,
                             unsigned long value, CRect rect) {
    auto key = std::make_unique<KEY_INFO>();
    key->value = static_cast<std::uint32_t>(value);
    key->name = name;
    key->desc = desc;
    key->rect = rect;
    key->rect.OffsetRect(keyOffsetX_, keyOffsetY_);
    std::lock_guard lock(keysLock_);
    const int position = static_cast<int>(keys_.size());
    key->index = position;
    keys_.push_back(std::move(key));
    ++nextId_;
    return position;
}

void KeyboardCtrl::ClearItem() {
    {
        std::lock_guard lock(keysLock_);
        keys_.clear();
        nextId_ = 0;
        // Positions into the old list mean nothing now.
        hover_ = -1;
        current_ = -1;
    }
    if (std::this_thread::get_id() == uiThread_) {
        HideTip();
    }
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() {
    std::lock_guard lock(keysLock_);
    std::vector<KEY_INFO*> items;
    items.reserve(keys_.size());
    for (auto& key : keys_) {
        items.push_back(key.get());
    }
    return items;
}

KEY_INFO* KeyboardCtrl::FindKeyLocked(unsigned long value) {
    for (auto& key : keys_) {
        if (key->value == value) {
            return key.get();
        }
    }
    return nullptr;
}

KEY_INFO* KeyboardCtrl::KeyAtIndexLocked(int index) {
    if (index < 0 || index >= static_cast<int>(keys_.size())) {
        return nullptr;
    }
    return keys_[static_cast<std::size_t>(index)].get();
}

int KeyboardCtrl::KeyAtLocked(CPoint point) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        CRect r = keys_[i]->rect;
        r.OffsetRect(rect_.left, rect_.top);
        if (r.PtInRect(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// ---- settings ----

void KeyboardCtrl::SetKeyboardImage(const std::wstring& file) {
    image_.reset();
    image_ = LoadImageFromFile(SkinPath(file));
    ResetAllItemCheck(0);
}

// ---- per key ----

void KeyboardCtrl::SetKeyCheck(unsigned long value, int check) {
    std::lock_guard lock(keysLock_);
    if (KEY_INFO* key = FindKeyLocked(value)) {
        key->check = check;
    }
}

void KeyboardCtrl::SetKeyColorLocked(unsigned long value, COLORREF color) {
    if (KEY_INFO* key = FindKeyLocked(value)) {
        key->color = color;
        key->baseColor = color;
    }
}

void KeyboardCtrl::SetKeyColor(unsigned long value, COLORREF color) {
    std::lock_guard lock(keysLock_);
    SetKeyColorLocked(value, color);
}

void KeyboardCtrl::SetKeyDesc(unsigned long value, const std::wstring& text) {
    std::lock_guard lock(keysLock_);
    if (KEY_INFO* key = FindKeyLocked(value)) {
        key->desc = text.empty() ? key->name : text;
    }
}

void KeyboardCtrl::SetTipKey(unsigned long value, const std::wstring& text,
                             const std::wstring& second) {
    std::lock_guard lock(keysLock_);
    if (KEY_INFO* key = FindKeyLocked(value)) {
        key->desc = text.empty() ? key->name : text;
        key->tip2 = second;
    }
}

// ---- all keys ----

void KeyboardCtrl::SetAllSelectColor(COLORREF color) {
    {
        std::lock_guard lock(keysLock_);
        const int current = current_;
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (static_cast<int>(i) == current || keys_[i]->check) {
                keys_[i]->color = color;
            }
        }
    }
    RequestRepaint();
}

void KeyboardCtrl::ResetAllItemCheck(int check) {
    {
        std::lock_guard lock(keysLock_);
        for (auto& key : keys_) {
            key->check = check;
        }
        current_ = -1;
    }
    RequestRepaint();
}

void KeyboardCtrl::ResetAllItemColor() {
    {
        std::lock_guard lock(keysLock_);
        for (auto& key : keys_) {
            key->color = 0;
        }
    }
    RequestRepaint();
}

void KeyboardCtrl::ResetTipKey() {
    {
        std::lock_guard lock(keysLock_);
        current_ = -1;
        for (auto& key : keys_) {
            key->check = 0;
            key->tip.clear();
            key->tip2.clear();
            key->desc = key->name;
        }
    }
    RequestRepaint();
}

int KeyboardCtrl::GetCheckItemCount() {
    std::lock_guard lock(keysLock_);
    return static_cast<int>(
        std::count_if(keys_.begin(), keys_.end(), [](const auto& key) { return key->check; }));
}

void KeyboardCtrl::SetLightModeColor(int rainbow, COLORREF color) {
    {
        std::lock_guard lock(keysLock_);
        if (rgbMode_ && rainbow == 0) {
            for (auto& key : keys_) {
                key->color = color;
                key->baseColor = color;
            }
        } else {
            for (const PresetColorRow& row : rgbMode_ ? RainbowRows() : SingleColorRows()) {
                for (unsigned code : row.codes) {
                    SetKeyColorLocked(code, row.color);
                }
            }
        }
    }
    RequestRepaint();
}

void KeyboardCtrl::SetDownPoint(CPoint) {
    ClearFrame();
}

void KeyboardCtrl::RequestRepaint() {
    if (std::this_thread::get_id() == uiThread_) {
        UpdateControl(1, 0);
        return;
    }
    if (repaintPosted_.exchange(true)) {
        return;  // one pending repaint covers every change made before it runs
    }
    std::weak_ptr<KeyboardCtrl*> weak = alive_;
    CurrentPlatform().PostToUi([weak] {
        if (auto self = weak.lock()) {
            (*self)->repaintPosted_ = false;
            (*self)->UpdateControl(1, 0);
        }
    });
}

// ---- frame selection ----

void KeyboardCtrl::ClearFrame() {
    frameSelecting_ = 0;
    frameArmed_ = false;
    frameOrigin_ = {};
    frameCorner_ = {};
}

bool KeyboardCtrl::EndFrame() {
    if (!frameSelecting_) {
        return false;
    }
    ClearFrame();
    return true;
}

void KeyboardCtrl::UpdateFrameSelection() {
    if (!rgbMode_) {
        return;
    }
    CRect selection = NormalizedRect(frameOrigin_, frameCorner_);
    if (selection.Width() < kFrameMinimum || selection.Height() < kFrameMinimum) {
        selection = {};
    }
    std::lock_guard lock(keysLock_);
    for (auto& key : keys_) {
        CRect r = key->rect;
        r.OffsetRect(rect_.left, rect_.top);
        key->check = r.Intersects(selection) ? 1 : 0;
    }
}

// ---- tips ----

void KeyboardCtrl::ShowTip(int index) {
    if (!tipsEnabled_ || manager_ == nullptr || manager_->GetPaintWnd() == nullptr) {
        return;
    }
    std::wstring name;
    std::wstring tip;
    std::wstring tip2;
    CRect r;
    {
        std::lock_guard lock(keysLock_);
        KEY_INFO* key = KeyAtIndexLocked(index);
        if (key == nullptr) {
            return;
        }
        name = key->name;
        tip = key->tip;
        tip2 = key->tip2;
        r = key->rect;
    }
    NativeWindow* owner = manager_->GetPaintWnd();
    if (!tips_) {
        tips_ = std::make_unique<CKeyboardTips>();
        tips_->CreateTipWindow(owner);
        tips_->LoadBKImage(L"img_tip_bk.png");
    }
    r.OffsetRect(rect_.left, rect_.top);
    const CPoint anchor = owner->ClientToScreen(CPoint((r.left + r.right) / 2, r.top));
    if (!tip.empty() || !tip2.empty()) {
        tips_->SetAirBladderMsg(name, tip, tip2, anchor);
    } else {
        tips_->SetAirBladderMsg(name, L"Keyboard", name, anchor);
    }
    if (!tips_->IsWindowVisible()) {
        tips_->ShowWindow(SW_SHOW);
    }
}

void KeyboardCtrl::HideTip() {
    if (tips_ && tips_->IsWindowVisible()) {
        tips_->ShowWindow(SW_HIDE);
    }
}

// ---- mouse ----

int KeyboardCtrl::PointKey(CPoint point, std::uint32_t& code) {
    std::lock_guard lock(keysLock_);
    const int index = KeyAtLocked(point);
    hover_ = index;
    current_ = index;
    const KEY_INFO* key = KeyAtIndexLocked(index);
    code = key != nullptr ? key->value : 0;
    return index;
}

int KeyboardCtrl::OnControlMouseMove(unsigned flags, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const bool inside = rect_.PtInRect(point);
    if (frameSelect_ && frameArmed_ && (flags & (MK_LBUTTON | MK_RBUTTON)) != 0 && inside) {
        if (std::abs(point.x - frameCorner_.x) <= kFrameStep &&
            std::abs(point.y - frameCorner_.y) <= kFrameStep) {
            return 1;
        }
        frameCorner_ = point;
        frameSelecting_ = 1;
        UpdateFrameSelection();
        UpdateControl(1, 0);
        return 1;
    }
    const int before = hover_;
    int found = -1;
    if (inside) {
        std::unique_lock lock(keysLock_);
        if (KEY_INFO* key = KeyAtIndexLocked(before)) {
            CRect r = key->rect;
            r.OffsetRect(rect_.left, rect_.top);
            if (r.PtInRect(point)) {
                lock.unlock();
                ShowTip(before);
                return 1;
            }
        }
        found = KeyAtLocked(point);
    }
    hover_ = found;
    if (found < 0) {
        HideTip();
    } else {
        ShowTip(found);
    }
    if (before != found) {
        UpdateControl(1, 0);
    }
    return inside ? 1 : 0;
}

int KeyboardCtrl::OnControlLButtonDown(unsigned flags, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (EndFrame()) {
        UpdateControl(1, 0);
    }
    if (frameSelect_ && (flags & MK_CONTROL) == 0) {
        ResetAllItemCheck(0);
    }
    if (!rect_.PtInRect(point)) {
        ClearFrame();
        return 0;
    }
    frameOrigin_ = frameCorner_ = point;
    frameArmed_ = true;
    const int before = current_;
    std::uint32_t code = 0;
    const int index = PointKey(point, code);
    bool toggled = false;
    if (index >= 0) {
        currentValue_ = static_cast<int>(code);
        if (!rgbMode_) {
            std::lock_guard lock(keysLock_);
            if (KEY_INFO* key = KeyAtIndexLocked(index)) {
                key->color = key->color != 0 ? 0 : key->baseColor;
                toggled = true;
            }
        }
    }
    if (before != index || toggled) {
        UpdateControl(1, 0);
    }
    SendMessageW(NOTIFY_DOWN, index < 0 ? kNoKey : static_cast<unsigned>(index),
                 static_cast<long>(code));
    return 1;
}

int KeyboardCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (EndFrame()) {
        UpdateControl(1, 0);
    }
    frameArmed_ = false;
    if (!rect_.PtInRect(point)) {
        return 0;
    }
    const int before = current_;
    std::uint32_t code = 0;
    const int index = PointKey(point, code);
    currentValue_ = static_cast<int>(code);
    if (before != index) {
        UpdateControl(1, 0);
    }
    SendMessageW(NOTIFY_CLICK, index < 0 ? kNoKey : static_cast<unsigned>(index),
                 static_cast<long>(code));
    return 1;
}

int KeyboardCtrl::OnControlRButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !frameSelect_) {
        return 0;
    }
    if (rect_.PtInRect(point)) {
        frameOrigin_ = frameCorner_ = point;
        frameArmed_ = true;
    } else {
        ClearFrame();
    }
    return 1;
}

int KeyboardCtrl::OnControlRButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (frameSelecting_) {
        ClearFrame();
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_FRAMEDONE, 0, 0);
        return 1;
    }
    frameArmed_ = false;
    if (!rect_.PtInRect(point)) {
        return 0;
    }
    std::uint32_t code = 0;
    const int index = PointKey(point, code);
    UpdateControl(1, 0);
    SendMessageW(NOTIFY_RCLICK, index < 0 ? kNoKey : static_cast<unsigned>(index),
                 static_cast<long>(code));
    return 1;
}

// ---- drawing ----

void KeyboardCtrl::DrawOutlines(Canvas& dc) {
    if (type_ == KEYBOARD_TYPE_PICTURE) {
        return;
    }
    const int hover = hover_;
    const int current = current_;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const KEY_INFO& key = *keys_[i];
        const bool marked =
            static_cast<int>(i) == hover || static_cast<int>(i) == current || key.check != 0;
        auto outline = [&](ARGB color) {
            dc.DrawRoundRect(key.rect, kOutlineRadius, color, kOutlineWidth, false, 0);
        };
        switch (type_) {
            case KEYBOARD_TYPE_KEY:
                if (marked || !key.tip2.empty()) {
                    outline(kHighlightColor);
                }
                break;
            case KEYBOARD_TYPE_LIGHT:
                if (key.color != 0) {
                    outline(ColorRefToArgb(key.color));
                }
                if (marked) {
                    outline(key.color != 0 ? ColorRefToArgb(key.color) : kHighlightColor);
                }
                break;
            case KEYBOARD_TYPE_MUSIC:
                if (key.color != 0) {
                    outline(ColorRefToArgb(key.color));
                }
                break;
            default:
                break;
        }
    }
}

void KeyboardCtrl::DrawControl(Canvas& dc, CRect) {
    const int w = rect_.Width();
    const int h = rect_.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    std::lock_guard lock(keysLock_);
    if (!update_ || cache_.Width() != w || cache_.Height() != h) {
        Surface& cache = UpdateMemDC(dc, w, h);
        CopyWindowPixels(dc, cache, 0, 0);
        const bool known = type_ == KEYBOARD_TYPE_KEY || type_ == KEYBOARD_TYPE_LIGHT ||
                           type_ == KEYBOARD_TYPE_MUSIC || type_ == KEYBOARD_TYPE_PICTURE;
        if (known) {
            Canvas c(cache);
            if (image_ != nullptr) {
                if (type_ == KEYBOARD_TYPE_PICTURE) {
                    const CRect part(0, 0, std::min(image_->Width(), w),
                                     std::min(image_->Height(), h));
                    c.DrawImage(*image_, part, part);
                } else {
                    c.DrawImage(*image_, CRect(0, 0, w, h),
                                CRect(0, 0, image_->Width(), image_->Height()));
                }
            }
            DrawOutlines(c);
            c.Flush();
        }
    }
    dc.DrawSurface(cache_, cache_.Bounds(), rect_.left, rect_.top, 255, true);
    if (frameSelecting_) {
        // Dotted outline: two pixels on, two off.
        const CRect f = NormalizedRect(frameOrigin_, frameCorner_);
        for (int x = f.left; x <= f.right; x += 4) {
            const int end = std::min(x + 2, f.right + 1);
            dc.FillRect(CRect(x, f.top, end, f.top + 1), kFrameColor);
            dc.FillRect(CRect(x, f.bottom, end, f.bottom + 1), kFrameColor);
        }
        for (int y = f.top; y <= f.bottom; y += 4) {
            const int end = std::min(y + 2, f.bottom + 1);
            dc.FillRect(CRect(f.left, y, f.left + 1, end), kFrameColor);
            dc.FillRect(CRect(f.right, y, f.right + 1, end), kFrameColor);
        }
    }
}

}  // namespace Tessera
