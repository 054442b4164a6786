#include "tessera/controls/check_buttons.h"

#include <cwchar>

#include "tessera/controls/button_looks.h"
#include "tessera/core/dialog.h"

namespace Tessera {

namespace {
constexpr int kBoxColumn = 35;
constexpr int kTitleLeft = 43;
constexpr ARGB kGreyText = 0xFF808080;
constexpr ARGB kSelectText = 0xFFFF3300;
constexpr ARGB kSelectCheckedText = 0xFF333333;
constexpr unsigned kSpace = 32;
}  // namespace

int ForEachGroupSibling(MControl& self, bool dialogToo,
                        const std::function<void(MControl&)>& visit) {
    MObject* parent = self.GetParantObject();
    const ControlList* siblings = nullptr;
    if (auto* control = dynamic_cast<MControl*>(parent)) {
        siblings = &control->GetControls();
    } else if (auto* dialog = dynamic_cast<MDialog*>(parent); dialog != nullptr && dialogToo) {
        siblings = &dialog->GetControls();
    }
    if (siblings == nullptr) {
        return 0;
    }
    const wchar_t* name = self.GetClassNameW();
    for (const auto& sibling : *siblings) {
        const wchar_t* other = sibling->GetClassNameW();
        if (sibling.get() == &self || other == nullptr || name == nullptr ||
            std::wcscmp(other, name) != 0) {
            continue;
        }
        visit(*sibling);
    }
    return 1;
}

// ---------------------------------------------------------------- CCheckButton

CCheckButton::CCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                           int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1),
      look_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {
    frameCount_ = 8;
}

void CCheckButton::ShowLook(int look) {
    if (look == look_) {
        return;
    }
    look_ = look;
    UpdateControl(0, 0);
}

void CCheckButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 8, look_, [this](Canvas& cache, int look, const CRect& slice) {
        DrawLook(cache, look, slice);
    });
}

void CCheckButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    // The down image is the checked box: while pressed, the box of the other state shows.
    int image = 0;
    switch (look) {
        case 2:
        case 4:
        case 5:
            image = 2;
            break;
        case 3:
        case 7:
            image = 3;
            break;
        default:
            image = 0;
            break;
    }
    DrawImageCentred(cache, stateImages_[image],
                     CRect(slice.left, slice.top, slice.left + kBoxColumn, slice.bottom));
    const std::wstring title = GetControlTitle();
    if (!title.empty()) {
        const bool grey = look == 3 || look == 7;
        cache.DrawText(title, CRect(slice.left + kTitleLeft, slice.top, slice.right, slice.bottom),
                       GetGDIFont(), grey ? kGreyText : textColors_[0],
                       AlignmentFormat() | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

int CCheckButton::SetControlFocus(int focus) {
    const int result = MControlFont::SetControlFocus(focus);
    if (visible_ && enabled_) {
        keyFocus_ = focus;
        UpdateControl(0, 0);
    }
    return result;
}

void CCheckButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    pressedInside_ = false;
    ShowLook(enabled ? RestLook(false) : (check_ ? 7 : 3));
}

int CCheckButton::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = rect_.PtInRect(point);
    if (enabled_ && !pressedInside_) {
        ShowLook(RestLook(inside));
    }
    return inside ? 1 : 0;
}

int CCheckButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    pressedInside_ = true;
    ShowLook(check_ ? 6 : 2);
    return 1;
}

int CCheckButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    const bool wasPressed = pressedInside_;
    pressedInside_ = false;
    const bool inside = rect_.PtInRect(point);
    if (inside && wasPressed) {
        OnClicked();
    }
    ShowLook(RestLook(inside));
    return inside ? 1 : 0;
}

void CCheckButton::OnClicked() {
    check_ = check_ ? 0 : 1;
    SendMessageW(NOTIFY_CLICK, 0, 0);
}

bool CCheckButton::IsActivationKey(unsigned vk, unsigned modifier) const {
    if (hotKey_ != 0 && static_cast<int>(vk) == hotKey_ &&
        static_cast<int>(modifier) == hotKeyModifier_) {
        return true;
    }
    return vk == kSpace && modifier == 0 && keyFocus_;
}

int CCheckButton::OnControlKeyDown(unsigned vk, unsigned, unsigned modifier) {
    if (!IsActivationKey(vk, modifier)) {
        return 0;
    }
    OnActivatedByKey();
    return 1;
}

void CCheckButton::OnActivatedByKey() {
    SetCheck(check_ ? 0 : 1);
    SendMessageW(NOTIFY_CHECK, 0, check_);
}

int CCheckButton::SetCheck(int check) {
    if (!enabled_) {
        return check_;
    }
    check = check ? 1 : 0;
    if (check != check_) {
        check_ = check;
        ShowLook(check_ ? 4 : 0);
    }
    return check_;
}

// ---------------------------------------------------------------- CRadioButton

CRadioButton::CRadioButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                           int visible, int enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled) {
    tabStop_ = 1;
    vAlign_ = 4;
}

int CRadioButton::SetCheck(int check) {
    if (!enabled_) {
        return check_;
    }
    check = check ? 1 : 0;
    if (check != check_) {
        check_ = check;
        if (check_) {
            ResetGroupCheck();
        }
        ShowLook(RestLook(false));
    }
    return check_;
}

void CRadioButton::SetControlCheck(int check) {
    check_ = check ? 1 : 0;
    ShowLook(enabled_ ? RestLook(false) : (check_ ? 7 : 3));
}

int CRadioButton::ResetGroupCheck() {
    return ForEachGroupSibling(*this, true, [this](MControl& sibling) {
        auto* radio = dynamic_cast<CRadioButton*>(&sibling);
        if (radio != nullptr && radio->group_ == group_) {
            radio->SetControlCheck(0);
        }
    });
}

void CRadioButton::OnClicked() {
    // A radio button never unchecks itself; clicking the checked one still reports.
    check_ = 1;
    ResetGroupCheck();
    SendMessageW(NOTIFY_CLICK, 0, 0);
}

void CRadioButton::OnActivatedByKey() {
    if (!enabled_) {
        return;
    }
    if (!check_) {
        check_ = 1;
        ResetGroupCheck();
        ShowLook(RestLook(true));
    }
    SendMessageW(NOTIFY_CHECK, 0, check_);
}

// ---------------------------------------------------------------- CSelectButton

CSelectButton::CSelectButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                             int visible, int enabled)
    : CRadioButton(parent, id, rect, title, visible, enabled) {
    frameCount_ = 4;
    textColors_[0] = 0xFFFFFFFF;
}

void CSelectButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, look_, [this](Canvas& cache, int look, const CRect& slice) {
        DrawLook(cache, look, slice);
    });
}

void CSelectButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    DrawImageCentred(cache, stateImages_[look & 3], slice);
    const std::wstring title = GetControlTitle();
    if (!title.empty()) {
        cache.DrawText(title, slice, GetGDIFont(), look < 2 ? kSelectText : kSelectCheckedText,
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void CSelectButton::SetControlEnabled(int enabled) {
    CRadioButton::SetControlEnabled(enabled);
    // Four looks: disabled is look 3 whatever the check.
    ShowLook(enabled ? RestLook(false) : BUTTON_STATE_DISABLED);
}

int CSelectButton::OnControlMouseMove(unsigned flags, CPoint point) {
    const int inside = CCheckButton::OnControlMouseMove(flags, point);
    if (enabled_ && !pressedInside_) {
        SetCursorEx(inside ? L"hand" : L"arrow");
    }
    return inside;
}

int CSelectButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!enabled_ || !rect_.PtInRect(point)) {
        return 0;
    }
    pressedInside_ = true;
    ShowLook(BUTTON_STATE_DOWN);
    SetCursorEx(L"hand");
    return 1;
}

int CSelectButton::OnControlLButtonUp(unsigned flags, CPoint point) {
    return CCheckButton::OnControlLButtonUp(flags, point);
}

void CSelectButton::OnClicked() {
    check_ = 1;
    SendMessageW(NOTIFY_CLICK, 0, 0);
}

void CSelectButton::OnActivatedByKey() {
    if (!enabled_) {
        return;
    }
    check_ = 1;
    ShowLook(BUTTON_STATE_DOWN);
    SendMessageW(NOTIFY_CHECK, 0, check_);
}

int CSelectButton::SetCheck(int check) {
    if (!enabled_) {
        return check_;
    }
    SetControlCheck(check);
    return check_;
}

void CSelectButton::SetControlCheck(int check) {
    check_ = check ? 1 : 0;
    ShowLook(enabled_ ? RestLook(false) : BUTTON_STATE_DISABLED);
}

}  // namespace Tessera
