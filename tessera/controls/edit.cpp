#include "tessera/controls/edit.h"

#include <algorithm>

#include "tessera/controls/button_looks.h"
#include "tessera/core/image_cache.h"
#include "tessera/core/paint_manager.h"
#include "tessera/core/render.h"
#include "tessera/platform/platform.h"

namespace Tessera {

namespace {
constexpr ARGB kGreyText = 0xFF808080;
constexpr unsigned kSpace = 32;
constexpr unsigned kEnter = 0x0D;
constexpr unsigned kEscape = 0x1B;
}  // namespace

MEdit::MEdit(MObject* parent, unsigned id, CRect rect, const std::wstring& hint, int visible,
             int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      hint_(hint),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {
    textColors_[0] = 0xFE050505;
    tabStop_ = 1;
}

MEdit::~MEdit() {
    // The field goes first, while the control it reports to is whole; it must not report.
    settingNative_ = true;
    open_ = false;
    edit_.reset();
}

// ---- geometry ----

CRect MEdit::GetButtonRect() const {
    if (!buttonImage_) {
        return {};
    }
    const int fw = buttonImage_->Width() / std::max(buttonFrames_, 1);
    const int fh = buttonImage_->Height();
    const int top = rect_.top + (rect_.Height() - fh) / 2;
    return {rect_.right - fw - 9, top, rect_.right - 9, top + fh};
}

CRect MEdit::DefaultTextRect() const {
    CRect text = rect_;
    if (multiLine_) {
        text.DeflateRect(6, 5);
    } else {
        const int band = fontSize_ == 10 ? 14 : fontSize_ == 12 ? 18 : fontSize_ + 3;
        const int inset = rect_.Width() <= 60 ? 10 : 20;
        text.left += inset;
        text.right -= inset;
        text.top = rect_.top + (rect_.Height() - band) / 2;
        text.bottom = text.top + band;
    }
    if (buttonImage_) {
        text.right = GetButtonRect().left - 6;
    }
    return text;
}

CRect MEdit::GetTextRect() const {
    return textRectSet_ ? textRect_ : DefaultTextRect();
}

void MEdit::SetTextRect(CRect rect) {
    textRect_ = rect;
    textRectSet_ = !rect.IsRectEmpty();
    if (edit_ && open_) {
        edit_->SetRect(NativeRect());
    }
    UpdateControl(1, 0);
}

CRect MEdit::NativeRect() const {
    if (textRectSet_) {
        return textRect_;
    }
    CRect native = rect_;
    native.DeflateRect(6, 0);
    if (multiLine_) {
        native.DeflateRect(0, 6);
    } else {
        native.top = rect_.top + (rect_.Height() - fontSize_) / 2 - 2;
        native.bottom = native.top + fontSize_ + 2;
    }
    if (buttonImage_) {
        native.right = GetButtonRect().left - 6;
    }
    return native;
}

void MEdit::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    if (edit_ && open_) {
        edit_->SetRect(NativeRect());
    }
}

// ---- drawing ----

void MEdit::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, state_, [this](Canvas& cache, int look, const CRect& slice) {
        if (const ImgResInfo* info = stateImages_[look & 3]; info != nullptr && info->image) {
            MRender::DrawImageFrame(cache, *info->image, slice, 0, 0, info->image->Width(),
                                    info->image->Height(), 12);
        }
        CRect text = GetTextRect();
        text.OffsetRect(slice.left - rect_.left, slice.top - rect_.top + 1);
        // One line never wraps (a band one line tall would cut a wrapped hint); the canvas
        // keeps a too-long line on one line only when it may end it with an ellipsis.
        unsigned format = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
        if (hAlign_ == 1) {
            format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
        } else if (multiLine_) {
            format = DT_WORDBREAK | DT_VCENTER;
        } else if (hAlign_ == 2) {
            format |= DT_RIGHT;
        }
        if (title_.empty()) {
            cache.DrawText(hint_, text, GetGDIFont(), kGreyText, format);
            return;
        }
        const std::wstring shown = password_ ? std::wstring(title_.size(), passwordChar_) : title_;
        cache.DrawText(shown, text, GetGDIFont(),
                       look == BUTTON_STATE_DISABLED ? kGreyText : textColors_[0], format);
    });
    if (buttonImage_) {
        const CRect button = GetButtonRect();
        const int fw = button.Width();
        dc.DrawImage(*buttonImage_, button,
                     CRect(buttonState_ * fw, 0, (buttonState_ + 1) * fw, button.Height()));
    }
}

// ---- state and input ----

void MEdit::SetState(int state) {
    if (state != state_) {
        state_ = state;
        UpdateControl(0, 0);
    }
}

void MEdit::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    if (!enabled) {
        CloseEdit();
    }
    SetState(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

void MEdit::SetControlVisible(int visible) {
    // A hidden control must not leave its field floating over the window.
    if (!visible) {
        CloseEdit();
    }
    MControlFont::SetControlVisible(visible);
}

int MEdit::SetControlFocus(int focus) {
    const int result = MControlFont::SetControlFocus(focus);
    // A press gives the focus just before it arrives; the press itself decides then, so a
    // press on the inner button does not open and at once close the field.
    if (focus && enabled_ && !CurrentPlatform().IsKeyDown(VK_LBUTTON)) {
        SetState(BUTTON_STATE_DOWN);
        OpenEdit();
    } else if (!focus) {
        SetState(enabled_ ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
        CloseEdit();
    }
    return result;
}

int MEdit::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = rect_.PtInRect(point);
    if (enabled_ && state_ != BUTTON_STATE_DOWN) {
        SetState(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
        const int button = inside && GetButtonRect().PtInRect(point) ? 1 : 0;
        if (button != buttonState_) {
            buttonState_ = button;
            UpdateControl(0, 0);
        }
    }
    return inside ? 1 : 0;
}

int MEdit::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    if (GetButtonRect().PtInRect(point)) {
        buttonState_ = 2;
        CloseEdit();
        UpdateControl(0, 0);
        SendMessageW(NOTIFY_SUBDOWN, 0, 0);
        return 1;
    }
    SetState(BUTTON_STATE_DOWN);
    OpenEdit();
    SendMessageW(NOTIFY_DOWN, 0, 0);
    return 1;
}

int MEdit::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (!rect_.PtInRect(point)) {
        buttonState_ = 0;
        SetState(BUTTON_STATE_NORMAL);
        return 1;
    }
    if (GetButtonRect().PtInRect(point)) {
        buttonState_ = 1;
        CloseEdit();
        SendMessageW(NOTIFY_SUBCLICK, 0, 0);
    }
    const bool wasDown = state_ == BUTTON_STATE_DOWN;
    SetState(BUTTON_STATE_HOVER);
    if (wasDown) {
        SendMessageW(NOTIFY_CLICK, 0, 0);
    }
    return 1;
}

int MEdit::OnControlKeyDown(unsigned vk, unsigned, unsigned modifier) {
    if (vk == kSpace && modifier == 0 && open_) {
        SendMessageW(NOTIFY_DOWN, 0, 0);
        SendMessageW(NOTIFY_CLICK, 0, 0);
        return 1;
    }
    return hotKey_ != 0 && static_cast<int>(vk) == hotKey_ &&
                   static_cast<int>(modifier) == hotKeyModifier_
               ? 1
               : 0;
}

// ---- text ----

void MEdit::SetControlTitle(const std::wstring& title) {
    if (title == title_) {
        return;
    }
    title_ = title;
    if (edit_) {
        // From code: the field follows without reporting a change back.
        settingNative_ = true;
        edit_->SetText(title);
        settingNative_ = false;
    }
}

std::wstring MEdit::GetControlTitle() const {
    return edit_ && edit_->IsVisible() ? edit_->GetText() : title_;
}

std::wstring MEdit::GetTitle() {
    CloseEdit();
    return title_;
}

void MEdit::SetEditText(const std::wstring& text) {
    SetControlTitle(text);
}

void MEdit::SetTipInfo(const std::wstring& hint) {
    hint_ = hint;
    UpdateControl(1, 0);
}

NativeEdit* MEdit::GetEditHwnd() const {
    return edit_ && edit_->IsVisible() ? edit_.get() : nullptr;
}

int MEdit::IsEditFocused() const {
    return edit_ && edit_->HasFocus() ? 1 : 0;
}

std::wstring MEdit::Filtered(const std::wstring& typed) const {
    if (!charInput_) {
        return title_;
    }
    std::wstring text = typed;
    if (numberOnly_) {
        std::erase_if(text, [](wchar_t ch) { return ch < L'0' || ch > L'9'; });
    }
    if (limit_ > 0 && text.size() > static_cast<std::size_t>(limit_)) {
        text.resize(static_cast<std::size_t>(limit_));
    }
    return text;
}

// ---- options ----

void MEdit::EnablePassWord(int on) {
    password_ = on;
    if (edit_) {
        edit_->SetPassword(on != 0);
    }
    UpdateControl(1, 0);
}

void MEdit::EnableMultLine(int on) {
    multiLine_ = on;
    UpdateControl(1, 0);
}

void MEdit::SetReadOnly(int on) {
    readOnly_ = on;
    if (edit_) {
        edit_->SetReadOnly(on != 0);
    }
}

void MEdit::SetLimitText(int characters) {
    limit_ = std::max(characters, 0);
    if (edit_) {
        edit_->SetMaxLength(limit_);
    }
}

void MEdit::SetEditBKColor(COLORREF color) {
    editBack_ = color;
    if (edit_) {
        ConfigureNative();
    }
}

void MEdit::SetEditFont() {
    if (edit_) {
        edit_->SetFont(GetGDIFont());
    }
}

void MEdit::SetEditFont(const std::wstring& face, int size, int bold, int underline, int italic) {
    SetFont(face, size,
            (bold ? kFontStyleBold : 0) | (italic ? kFontStyleItalic : 0) |
                (underline ? kFontStyleUnderline : 0));
    SetEditFont();
    UpdateControl(1, 0);
}

int MEdit::SetIconImage(const std::wstring& file, int frames) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return 0;
    }
    buttonImage_ = std::move(image);
    buttonFrames_ = std::max(frames, 1);
    UpdateControl(1, 0);
    return 1;
}

// ---- the native field ----

void MEdit::EnableCharMessage(int on) {
    charInput_ = on;
    if (edit_) {
        edit_->SetInputMethodEnabled(charInput_ != 0);
    }
}

void MEdit::ConfigureNative() {
    edit_->SetFont(GetGDIFont());
    edit_->SetMaxLength(limit_);
    edit_->SetPassword(password_ != 0);
    edit_->SetReadOnly(readOnly_ != 0);
    edit_->SetInputMethodEnabled(charInput_ != 0);
    if (editBack_ != static_cast<COLORREF>(-1)) {
        edit_->SetColors(textColors_[0] | 0xFF000000u, OpaqueFromColorref(editBack_));
    }
}

void MEdit::OpenEdit() {
    if (readOnly_ || !enabled_ || manager_ == nullptr || manager_->GetPaintWnd() == nullptr) {
        return;
    }
    if (!edit_) {
        edit_ = CurrentPlatform().CreateEdit(*manager_->GetPaintWnd(), *this);
        if (!edit_) {
            return;
        }
        ConfigureNative();
    }
    edit_->SetRect(NativeRect());
    settingNative_ = true;
    edit_->SetText(title_);
    settingNative_ = false;
    // No select-all: typing goes on after the text.
    edit_->Show(true);
    edit_->Focus();
    if (!open_) {
        open_ = true;
        SendMessageW(NOTIFY_EDITBEGIN, 0, 0);
    }
}

void MEdit::CloseEdit() {
    if (!edit_ || !edit_->IsVisible()) {
        open_ = false;
        return;
    }
    const std::wstring text = Filtered(edit_->GetText());
    open_ = false;
    settingNative_ = true;
    edit_->Show(false);
    settingNative_ = false;
    if (text != title_) {
        title_ = text;
        UpdateControl(1, 0);
    }
    SetState(enabled_ ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
    SendMessageW(NOTIFY_EDITEND, 0, 0);
}

void MEdit::OnEditTextChanged() {
    if (settingNative_ || !edit_) {
        return;
    }
    const std::wstring typed = edit_->GetText();
    const std::wstring kept = Filtered(typed);
    if (kept != typed) {
        // Swallowed or filtered characters leave the field as it was.
        settingNative_ = true;
        edit_->SetText(kept);
        settingNative_ = false;
    }
    if (kept == title_) {
        return;
    }
    title_ = kept;
    UpdateControl(1, 0);
    SendMessageW(NOTIFY_TEXTCHANGE, 0, 0);
}

void MEdit::OnEditKillFocus() {
    if (settingNative_ || !open_) {
        return;
    }
    // The session ends when the focus has really gone elsewhere. A window being activated
    // can take the focus from the field and give it back in one burst of events, so look
    // again once they are handled.
    std::weak_ptr<int> alive = alive_;
    CurrentPlatform().PostToUi([this, alive] {
        if (!alive.expired() && edit_ && edit_->IsVisible() && !edit_->HasFocus()) {
            CloseEdit();
        }
    });
}

void MEdit::OnEditKey(unsigned vk) {
    if (vk == kEnter || vk == kEscape) {
        CloseEdit();
    }
}

}  // namespace Tessera
