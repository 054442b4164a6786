#include "tessera/core/menu_wnd.h"

#include <algorithm>

#include "tessera/platform/canvas.h"

namespace Tessera {

MenuWnd::MenuWnd(MObject* owner) : ownerObject_(owner) {}

int MenuWnd::Create(NativeWindow* parent, CPoint screenPoint, unsigned notifyMessage,
                    const std::wstring& backImage, int corner, int width, enumBackMode mode) {
    ownerWindow_ = parent;
    notifyMessage_ = notifyMessage;
    point_ = screenPoint;
    width_ = width > 0 ? width : 113;
    paintManager_.SetBackColor(RGB(56, 227, 237), RGB(19, 100, 107));
    NativeWindow* window =
        MWindow::Create(parent, L"Menu Window", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                        CRect(screenPoint.x, screenPoint.y, screenPoint.x + width_,
                              screenPoint.y + topPadding_ + bottomPadding_));
    if (window == nullptr) {
        return 0;
    }
    if (!backImage.empty() && paintManager_.LoadBKImage(backImage)) {
        paintManager_.SetBackMode(mode, mode == BACKMODE_FRAME ? corner : 0);
    }
    paintManager_.EnableWndDrag(0);
    return 1;
}

void MenuWnd::InitUI(CRect) {}

int MenuWnd::AddMenu(const std::wstring& text, unsigned id, const std::wstring& icon, int checkable,
                     int check) {
    if (GetSafeHwnd() == nullptr) {
        return 0;
    }
    const CSize extent =
        Canvas::MeasureText(text, FontSpec{fontFace_, fontSize_, kFontStyleRegular});
    if (extent.cx + textMargin_ + 4 > width_) {
        width_ = extent.cx + textMargin_ + 4;
    }
    auto item = std::make_unique<MenuItem>(this, id, CRect(), text, 1, 1);
    item->SetFont(fontFace_, fontSize_, kFontStyleRegular);
    item->SetHoverColor(hoverColor_);
    item->SetCheckable(checkable);
    auto* raw = static_cast<MenuItem*>(paintManager_.AddControl(1, std::move(item)));
    if (!icon.empty()) {
        raw->SetImage(icon, checkable ? 6 : 3);
    }
    if (check) {
        raw->SetCheck(check);
    }
    items_.push_back(raw);
    return 1;
}

int MenuWnd::AddSeparator(unsigned id, const std::wstring& image) {
    if (GetSafeHwnd() == nullptr) {
        return 0;
    }
    auto item = std::make_unique<MenuItem>(this, id, CRect(), L"", 1, 1);
    item->SetSeparator(1);
    auto* raw = static_cast<MenuItem*>(paintManager_.AddControl(1, std::move(item)));
    if (!image.empty()) {
        raw->SetImage(image, 1);
    }
    items_.push_back(raw);
    return 1;
}

MenuItem* MenuWnd::FindItem(const std::wstring& title) const {
    for (MenuItem* item : items_) {
        if (!item->IsSeparator() && item->GetTitle() == title) {
            return item;
        }
    }
    return nullptr;
}

MenuWnd::ItemState& MenuWnd::StateFor(const std::wstring& title) {
    for (ItemState& state : states_) {
        if (state.title == title) {
            return state;
        }
    }
    states_.push_back({title});
    return states_.back();
}

void MenuWnd::SetItemTitle(const std::wstring& title, const std::wstring& newTitle) {
    if (MenuItem* item = FindItem(title)) {
        item->SetTitle(newTitle);
    }
    StateFor(title).title = newTitle;
}

void MenuWnd::SetItemVisible(const std::wstring& title, int visible) {
    StateFor(title).visible = visible;
    if (MenuItem* item = FindItem(title)) {
        item->SetVisible(visible);
    }
}

void MenuWnd::SetItemEnable(const std::wstring& title, int enable) {
    StateFor(title).enabled = enable;
    if (MenuItem* item = FindItem(title)) {
        item->SetEnabled(enable);
    }
}

void MenuWnd::SetItemCheck(const std::wstring& title, int check) {
    StateFor(title).check = check;
    if (MenuItem* item = FindItem(title)) {
        item->SetCheck(check);
    }
}

void MenuWnd::SetMenuPoint() {
    int y = topPadding_;
    for (MenuItem* item : items_) {
        if (!item->IsVisible()) {
            item->SetControlRect(CRect());
            continue;
        }
        if (item->IsSeparator()) {
            item->SetControlRect(CRect(textMargin_ + 1, y + 1, width_ - 10, y + 2));
            y += 4;
            continue;
        }
        item->SetControlRect(CRect(10, y, width_ - 2, y + itemHeight_));
        y += itemHeight_;
    }
    MoveWindow(CRect(point_.x, point_.y, point_.x + width_, point_.y + y + bottomPadding_));
    paintManager_.Invalidate();
}

long MenuWnd::OnMessage(unsigned id, unsigned code, unsigned, long) {
    if (code != NOTIFY_CLICK) {
        return 0;
    }
    int check = 0;
    for (MenuItem* item : items_) {
        if (item->GetControlID() == id) {
            check = item->GetCheck();
        }
    }
    if (ownerWindow_ != nullptr && ownerWindow_->IsAlive()) {
        ownerWindow_->PostMessage(notifyMessage_, static_cast<WPARAM>(check),
                                  static_cast<LPARAM>(id));
    }
    CloseWindow();
    return 1;
}

LRESULT MenuWnd::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCACTIVATE && wParam == 0) {
        CloseWindow();
    }
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

long MenuWnd::SendMessageToParent(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return ownerObject_ != nullptr ? ownerObject_->OnBaseMessage(id, code, wParam, lParam) : 0;
}

MPopupWnd::MPopupWnd() {
    SetColorKey(0xF1F1F1);
}

long MPopupWnd::SendMessageToParent(unsigned code, unsigned wParam, long lParam) {
    auto* control = dynamic_cast<MControl*>(parentObject_);
    return control != nullptr ? control->OnMessage(0, code, wParam, lParam) : 0;
}

}  // namespace Tessera
